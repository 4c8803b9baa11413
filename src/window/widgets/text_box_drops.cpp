// The text box's side of pasting and of drag and drop: what a paste or a drop
// of text puts in (held to the longest paragraph a box takes), and files
// dropped on a box, told to the window.

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "window/widgets/paragraph_guard.h"
#include "window/widgets/text_box.h"

namespace kestrelwick {

// A paste, and the text of a drop: the box takes a text's characters only.
void TextBox::insertFromMimeData(const QMimeData* source) {
    if (source->hasText() && guard_->allowsInsert(source->text())) {
        const ParagraphGuard::Measured measured(*guard_);
        QPlainTextEdit::insertFromMimeData(source);
    }
}

QStringList TextBox::localFiles(const QMimeData* data) {
    QStringList paths;
    if (data == nullptr || !data->hasUrls()) {
        return paths;
    }
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) {
            return {};
        }
        paths << url.toLocalFile();
    }
    return paths;
}

// File managers send a file as its address and as text beside it: the
// address wins, and the text of the file goes in, not its name. A drag of
// files that this box cannot take gets no drop action, so the pointer shows
// that it will not be taken; the box still takes the drop, if one comes, to
// say why.
void TextBox::dragEnterEvent(QDragEnterEvent* event) {
    if (!answerFileDrag(event)) {
        QPlainTextEdit::dragEnterEvent(event);
    }
}

void TextBox::dragMoveEvent(QDragMoveEvent* event) {
    if (!answerFileDrag(event)) {
        QPlainTextEdit::dragMoveEvent(event);
    }
}

bool TextBox::answerFileDrag(QDragMoveEvent* event) const {
    const QStringList paths = localFiles(event->mimeData());
    if (paths.isEmpty()) {
        return false;
    }
    if (paths.size() <= fileRoom_) {
        event->acceptProposedAction();
    } else {
        event->setDropAction(Qt::IgnoreAction);
        event->accept();
    }
    return true;
}

void TextBox::dropEvent(QDropEvent* event) {
    const QStringList paths = localFiles(event->mimeData());
    if (paths.isEmpty()) {
        const QMimeData* dropped = event->mimeData();
        if (!dropped->hasText() || guard_->allowsDrop(*event, dropped->text())) {
            const ParagraphGuard::Measured measured(*guard_);
            QPlainTextEdit::dropEvent(event);
        }
        return;
    }
    event->acceptProposedAction();
    emit filesDropped(paths);
}

}  // namespace kestrelwick
