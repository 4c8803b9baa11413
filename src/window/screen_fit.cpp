#include "window/screen_fit.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace kestrelwick {

namespace {

// A title bar and thin borders, as most desktops draw them, for fitting the
// window before the window system has said what its frame really is.
constexpr QMargins kAssumedFrame(8, 32, 8, 8);

}  // namespace

ScreenFit::ScreenFit(QWidget* window, QSize clientSize)
    : QObject(window), window_(window), clientSize_(clientSize) {
    window->installEventFilter(this);
}

void ScreenFit::fit() {
    const QWindow* handle = window_->windowHandle();
    const QMargins frame = handle != nullptr ? handle->frameMargins() : QMargins();
    pending_ = frame.isNull();
    fitWithin(pending_ ? kAssumedFrame : frame);
}

void ScreenFit::fitWithin(const QMargins& frame) {
    const QScreen* screen = window_->screen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    // At a fractional scale the frame's size in device-independent pixels is
    // rounded; a pixel more on each side keeps the frame inside the area.
    const qreal scale = window_->devicePixelRatioF();
    const QMargins outerFrame = scale == std::floor(scale) ? frame : frame + QMargins(1, 1, 1, 1);
    const QSize room = area.size().shrunkBy(outerFrame);
    // Below the design size the layout shrinks to fit, and below its
    // smallest canvas it scrolls.
    const QSize client = clientSize_.boundedTo(room);
    window_->resize(client);
    QRect outer(QPoint(), client.grownBy(outerFrame));
    outer.moveCenter(area.center());
    // The position of a window is that of its frame (which lies inside the
    // padded one), and its title bar never starts above or left of the
    // available area.
    window_->move(std::max(outer.left() + outerFrame.left() - frame.left(), area.left()),
                  std::max(outer.top() + outerFrame.top() - frame.top(), area.top()));
}

bool ScreenFit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && pending_) {
        // The window system tells the frame only after it has framed the
        // window; the move or resize that framing causes is the first moment
        // it is known.
        const QEvent::Type type = event->type();
        const bool sizedByUser =
            (window_->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) != 0;
        if (sizedByUser) {
            pending_ = false;
        } else if ((type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show) &&
                   window_->isVisible() && window_->windowHandle() != nullptr) {
            const QMargins frame = window_->windowHandle()->frameMargins();
            if (!frame.isNull()) {
                pending_ = false;
                if (frame != kAssumedFrame) {
                    fitWithin(frame);
                }
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kestrelwick
