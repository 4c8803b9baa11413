#include "window/messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

namespace kestrelwick {

namespace {

int showBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
            QMessageBox::StandardButtons buttons, QMessageBox::StandardButton byDefault,
            MessageText kind) {
    QMessageBox box(icon, title, text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    if (kind == MessageText::Selectable) {
        box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    }
    if (byDefault != QMessageBox::NoButton) {
        box.setDefaultButton(byDefault);
    }
    return box.exec();
}

}  // namespace

void warn(QWidget* parent, const QString& text, MessageText kind) {
    showBox(parent, QMessageBox::Warning, QApplication::applicationName(), text, QMessageBox::Ok,
            QMessageBox::NoButton, kind);
}

void onceShown(QWidget* window, std::function<void(QWidget*)> show) {
    QTimer::singleShot(0, window, [shown = QPointer<QWidget>(window), show = std::move(show)] {
        if (shown) {
            show(shown);
        }
    });
}

void warnOnceShown(QWidget* parent, const QString& text) {
    onceShown(parent, [text](QWidget* window) { warn(window, text); });
}

bool askToGoOn(QWidget* parent, const QString& question) {
    return showBox(parent, QMessageBox::Warning, QApplication::applicationName(), question,
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
                   MessageText::Plain) == QMessageBox::Yes;
}

bool confirm(QWidget* parent, const QString& title, const QString& question) {
    return showBox(parent, QMessageBox::Question, title, question,
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes,
                   MessageText::Plain) == QMessageBox::Yes;
}

bool informWithAction(QWidget* parent, const QString& text, const QString& detail,
                      const QString& action) {
    QMessageBox box(QMessageBox::Information, QApplication::applicationName(), text,
                    QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(detail);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QPushButton* button = box.addButton(action, QMessageBox::ActionRole);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    return box.clickedButton() == button;
}

}  // namespace kestrelwick
