#include "window/report_box.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QShortcut>

QString reportClipboardText(const QString& message, const QStringList& notes) {
    return (QStringList{message} + notes).join(u'\n') + u'\n';
}

void showReportBox(QWidget* parent, const QString& message, const QStringList& notes) {
    QMessageBox report(QMessageBox::NoIcon, QApplication::applicationName(), message,
                       QMessageBox::Ok, parent);
    report.setTextFormat(Qt::PlainText);
    report.setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (!notes.isEmpty()) {
        report.setInformativeText(notes.join(u'\n'));
        // The informative text would otherwise be guessed as rich or plain;
        // the notes are plain text, one to a line.
        if (auto* label = report.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"))) {
            label->setTextFormat(Qt::PlainText);
            label->setTextInteractionFlags(Qt::TextSelectableByMouse);
            // Room for a note of about a hundred characters on one line, as
            // far as the message box lets itself grow on this screen.
            const QScreen* screen = parent != nullptr ? parent->screen() : report.screen();
            const int screenWidth = screen != nullptr ? screen->availableGeometry().width() : 1024;
            const int widest =
                screenWidth <= 1024 ? screenWidth - 80 : std::min(screenWidth - 480, 1000) - 80;
            label->setMinimumWidth(std::min(100 * label->fontMetrics().averageCharWidth(), widest));
        }
    }
    // Ctrl+C copies the whole report, wherever the focus is in it; a
    // selection in its text is copied by the text itself.
    auto* copy = new QShortcut(QKeySequence::Copy, &report);
    copy->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(copy, &QShortcut::activated, &report, [&message, &notes] {
        QGuiApplication::clipboard()->setText(reportClipboardText(message, notes));
    });
    report.exec();
}
