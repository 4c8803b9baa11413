#pragma once

// The window sized and placed on its screen: its design size, or as much of
// it as fits the screen's available area, centred there by its whole frame.
// The frame is estimated until the window system reports it, which it does
// once the window is shown and framed; then the window is fitted again. A
// window that the user maximises or sizes meanwhile is left as it is.

#include <QMargins>
#include <QObject>
#include <QSize>

class QWidget;

namespace kestrelwick {

class ScreenFit : public QObject {
    Q_OBJECT

  public:
    // Fits window to clientSize (its size at the design size) from now on;
    // the fitter is the window's child and watches its events.
    ScreenFit(QWidget* window, QSize clientSize);

    void fit();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void fitWithin(const QMargins& frame);

    QWidget* window_;
    QSize clientSize_;
    // Set by fit() until the window system has reported the frame.
    bool pending_ = false;
};

}  // namespace kestrelwick
