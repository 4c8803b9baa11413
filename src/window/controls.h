#pragma once

// The two kinds of control that Qt has no ready-made widget for.

#include <QLabel>
#include <QPushButton>

// A push button whose caption wraps onto as many lines as its fixed size
// needs, as the buttons of classic Windows forms do. It stays a QPushButton in
// every other respect: keyboard, focus, clicks and accessibility.
class WrappingPushButton : public QPushButton {
    Q_OBJECT

  public:
    using QPushButton::QPushButton;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// A label that acts as a hyperlink: bold, underlined, in the highlight colour
// of the user's palette, reacting to a left click only and never taking the
// focus. Its face is MS Sans Serif at 8.25 points; where the desktop's
// stand-in for that face is wider, the caption is set a little smaller so that
// it still fits its fixed rectangle whole.
class LinkLabel : public QLabel {
    Q_OBJECT

  public:
    LinkLabel(const QString& caption, const QString& toolTip, QWidget* parent = nullptr);

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void fitCaption();

    bool pressed_ = false;
};
