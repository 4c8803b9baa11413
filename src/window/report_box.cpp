#include "window/report_box.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>

namespace kestrelwick {

namespace {

// Ctrl+C copies the whole report, wherever the focus is in it; only a
// selection made in its text is copied by the text itself. (Qt's own message
// box copies on Windows alone, and in another form.)
class WholeReportCopy : public QObject {
  public:
    explicit WholeReportCopy(QString text) : text_(std::move(text)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) {
            return false;
        }
        if (!static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
            return false;
        }
        if (const auto* label = qobject_cast<QLabel*>(watched); label && label->hasSelectedText()) {
            return false;
        }
        event->accept();
        if (event->type() == QEvent::KeyPress) {
            QGuiApplication::clipboard()->setText(text_);
        }
        return true;
    }

  private:
    QString text_;
};

}  // namespace

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
    WholeReportCopy copy(reportClipboardText(message, notes));
    report.installEventFilter(&copy);
    for (QWidget* child : report.findChildren<QWidget*>()) {
        child->installEventFilter(&copy);
    }
    report.exec();
}

}  // namespace kestrelwick
