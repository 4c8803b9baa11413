#pragma once

// Answers the next modal message box from inside its event loop, as a user
// would: the handler sees the box as it is shown and then presses one of its
// buttons.

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <functional>

inline void whenModalOpens(std::function<void(QMessageBox*)> handle) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, handle] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box != nullptr && box->isVisible()) {
            timer->stop();
            timer->deleteLater();
            handle(box);
        }
    });
    timer->start();
}

// Notes the text of the next message box and dismisses it: No where it asks,
// OK where it only reports.
inline void dismissNextModal(QString& text) {
    whenModalOpens([&text](QMessageBox* box) {
        text = box->text();
        const bool asks = box->standardButtons().testFlag(QMessageBox::No);
        box->button(asks ? QMessageBox::No : QMessageBox::Ok)->click();
    });
}
