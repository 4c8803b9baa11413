#pragma once

// The kinds of control that Qt has no ready-made widget for.

#include <QLabel>
#include <QList>
#include <QPushButton>

namespace kestrelwick {

// A push button that Enter presses as well as Space while it has the focus, as
// on every desktop, without being the window's default button: Enter in a box
// still starts a new line, and nothing presses a button that lacks the focus.
class PushButton : public QPushButton {
    Q_OBJECT

  public:
    using QPushButton::QPushButton;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// A push button whose caption wraps onto as many lines as its fixed size
// needs, as the buttons of classic Windows forms do. It stays a push button in
// every other respect: keyboard, focus, clicks and accessibility.
class WrappingPushButton : public PushButton {
    Q_OBJECT

  public:
    using PushButton::PushButton;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// A label that acts as a hyperlink: bold, underlined, in the highlight colour
// of the user's palette, reacting to a left click only and never taking the
// focus. Screen readers see it as a link, named by its caption and described
// by its tooltip, whose press action does what a click does.
class LinkLabel : public QLabel {
    Q_OBJECT

  public:
    LinkLabel(const QString& caption, const QString& toolTip, QWidget* parent = nullptr);

    // Follows the link, as a click does.
    void activate();

    // Sets the captions of the links in one point size: the largest, down
    // from MS Sans Serif's 8.25 points, at which each fits its rectangle. The
    // desktop's stand-in for that face is often wider than the original.
    static void fitCaptions(const QList<LinkLabel*>& links);

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    bool pressed_ = false;
};

}  // namespace kestrelwick
