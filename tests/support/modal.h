#pragma once

// Answers the next modal message box from inside its event loop, as a user
// would: the handler sees the box as it is shown and then presses one of its
// buttons.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

#include <functional>

// The same for the next modal dialog of a kind (a QDialog of any sort).
template <typename Dialog>
void whenDialogOpens(std::function<void(Dialog*)> handle) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, handle] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog != nullptr && dialog->isVisible()) {
            timer->stop();
            timer->deleteLater();
            handle(dialog);
        }
    });
    timer->start();
}

inline void whenModalOpens(std::function<void(QMessageBox*)> handle) {
    whenDialogOpens<QMessageBox>(std::move(handle));
}

// Answers every message box with OK while it lives, noting their texts.
class EveryMessageAnswered {
  public:
    EveryMessageAnswered() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts << box->text();
                box->button(QMessageBox::Ok)->click();
            }
        });
        timer_.start(5);
    }
    QStringList texts;

  private:
    QTimer timer_;
};

// Notes the text of the next message box and dismisses it: No where it asks,
// OK where it only reports.
inline void dismissNextModal(QString& text) {
    whenModalOpens([&text](QMessageBox* box) {
        text = box->text();
        const bool asks = box->standardButtons().testFlag(QMessageBox::No);
        box->button(asks ? QMessageBox::No : QMessageBox::Ok)->click();
    });
}
