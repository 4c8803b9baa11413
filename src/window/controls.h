#pragma once

// The kinds of control that Qt has no ready-made widget for.

#include <QFont>
#include <QLabel>
#include <QList>
#include <QPushButton>

namespace kestrelwick {

// The window's font: the face it was designed with, MS Sans Serif at 8.25
// points, or the first of its stand-ins that the system has: those Windows
// has installed since Windows XP and Wine ships (Microsoft Sans Serif,
// Tahoma, Arial), then the common faces of Linux desktops, and at the last a
// sans-serif face of the system's choosing. Every font the window asks for
// names all of them, so that no platform falls back to a serif face.
QFont designFont(qreal pointSize = 8.25);

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
// of the user's palette (its active one, also while another window is
// active), reacting to a left click only and never taking the
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
    void changeEvent(QEvent* event) override;

  private:
    // Draws the caption in the palette's active highlight colour whether or
    // not the window is active: Windows' own palette gives an inactive window
    // the button face as its highlight, which would hide the links while a
    // message box is open.
    void keepLinkColour();

    bool pressed_ = false;
    bool keepingColour_ = false;
};

}  // namespace kestrelwick
