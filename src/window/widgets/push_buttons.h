#pragma once

// The window's push buttons: one that Enter presses as well as Space while it
// has the focus, and one whose caption wraps onto as many lines as its fixed
// size needs.

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

}  // namespace kestrelwick
