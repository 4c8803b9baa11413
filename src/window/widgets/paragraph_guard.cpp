#include "window/widgets/paragraph_guard.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

namespace kestrelwick {

namespace {

std::u16string_view viewOf(QStringView text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size())};
}

// Whether the box types the key's text, as Qt's text boxes decide it: a
// printable character, or a formatting one, not a shortcut with Ctrl. (Tab
// moves the focus in these boxes.)
bool typesText(const QKeyEvent& key) {
    const QString text = key.text();
    if (text.isEmpty()) {
        return false;
    }
    const QChar first = text.front();
    if (first.category() == QChar::Other_Format) {
        return true;
    }
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier ||
        modifiers == (Qt::ControlModifier | Qt::ShiftModifier)) {
        return false;
    }
    return first.isPrint() || first.category() == QChar::Other_PrivateUse ||
           (first.isHighSurrogate() && text.size() > 1 && text[1].isLowSurrogate());
}

// Keys that take out what lies before the cursor (a character or a word, and
// at the start of a line the line break), or after it.
bool deletesBackward(const QKeyEvent& key) {
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    return (key.key() == Qt::Key_Backspace && (modifiers & ~Qt::ShiftModifier) == 0) ||
           key.matches(QKeySequence::Backspace) || key.matches(QKeySequence::DeleteStartOfWord);
}

bool deletesForward(const QKeyEvent& key) {
    return key.matches(QKeySequence::Delete) || key.matches(QKeySequence::DeleteEndOfWord);
}

}  // namespace

ParagraphGuard::ParagraphGuard(QPlainTextEdit& box) : QObject(&box), box_(box) {
    connect(box.document(), &QTextDocument::contentsChange, this, &ParagraphGuard::changed);
}

void ParagraphGuard::refuseLongParagraphs(std::u16string_view text) {
    if (const std::optional<LongParagraph> found = findLongParagraph({text})) {
        throw ParagraphTooLong(*found);
    }
}

bool ParagraphGuard::allows(const std::optional<LongParagraph>& found) {
    if (found) {
        emit refused(*found);
    }
    return !found;
}

std::optional<LongParagraph> ParagraphGuard::afterReplacing(int from, int to,
                                                            std::u16string_view text) const {
    const QTextDocument* document = box_.document();
    const QTextBlock first = document->findBlock(from);
    const QTextBlock last = document->findBlock(to);
    const QString start = first.text().left(from - first.position());
    const QString rest = last.text().mid(to - last.position());
    std::optional<LongParagraph> found = findLongParagraph({viewOf(start), text, viewOf(rest)});
    if (found) {
        found->number += std::size_t(first.blockNumber());
    }
    return found;
}

std::optional<LongParagraph> ParagraphGuard::afterMoving(int from, int to, int at,
                                                         std::u16string_view text) const {
    if (at >= from && at <= to) {
        return std::nullopt;  // back where it was
    }
    // The lines from the first that the move touches to the last, as they
    // stand, then put together as they will.
    const QTextDocument* document = box_.document();
    const QTextBlock first = document->findBlock(std::min(from, at));
    const QTextBlock last = document->findBlock(std::max(to, at));
    QTextCursor lines(first);
    lines.setPosition(last.position() + last.length() - 1, QTextCursor::KeepAnchor);
    const QString now = lines.selectedText();  // line breaks as U+2029
    const std::u16string_view all = viewOf(now);
    const auto part = [&all, origin = first.position()](int begin, int end) {
        return all.substr(std::size_t(begin - origin), std::size_t(end - begin));
    };
    const int end = last.position() + last.length() - 1;
    const int start = first.position();
    std::optional<LongParagraph> found =
        at < from ? findLongParagraph({part(start, at), text, part(at, from), part(to, end)})
                  : findLongParagraph({part(start, from), part(to, at), text, part(at, end)});
    if (found) {
        found->number += std::size_t(first.blockNumber());
    }
    return found;
}

bool ParagraphGuard::allowsInsert(const QString& text) {
    const QTextCursor cursor = box_.textCursor();
    return allows(afterReplacing(cursor.selectionStart(), cursor.selectionEnd(), viewOf(text)));
}

bool ParagraphGuard::allowsKey(const QKeyEvent& key) {
    if (box_.isReadOnly()) {
        return true;
    }
    const QTextCursor cursor = box_.textCursor();
    const bool types = typesText(key);
    const bool backward = deletesBackward(key);
    const bool forward = deletesForward(key);
    const QString typed = types ? key.text() : QString();
    if (cursor.hasSelection()) {
        // Whatever takes out the selection joins the line where it starts
        // to the one where it ends.
        if (types || backward || forward || key.matches(QKeySequence::Cut)) {
            return allowsInsert(typed);
        }
        return true;
    }
    const int at = cursor.position();
    if (types) {
        return allows(afterReplacing(at, at, viewOf(typed)));
    }
    // Only a line break taken out can make a line longer: a character or a
    // word with it, as the box takes them out.
    if ((backward && cursor.atBlockStart() && at > 0) ||
        (forward && cursor.atBlockEnd() && at < box_.document()->characterCount() - 1)) {
        QTextCursor taken = cursor;
        if (key.matches(QKeySequence::DeleteStartOfWord)) {
            taken.movePosition(QTextCursor::PreviousWord, QTextCursor::KeepAnchor);
        } else if (key.matches(QKeySequence::DeleteEndOfWord)) {
            taken.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor);
        } else {
            taken.movePosition(
                backward ? QTextCursor::PreviousCharacter : QTextCursor::NextCharacter,
                QTextCursor::KeepAnchor);
        }
        return allows(afterReplacing(taken.selectionStart(), taken.selectionEnd(), {}));
    }
    return true;
}

bool ParagraphGuard::allowsInputMethod(const QInputMethodEvent& event) {
    return event.commitString().isEmpty() || box_.isReadOnly() ||
           allowsInsert(event.commitString());
}

bool ParagraphGuard::allowsDrop(QDropEvent& drop, const QString& text) {
    const int at = box_.cursorForPosition(drop.position().toPoint()).position();
    const QTextCursor cursor = box_.textCursor();
    // A selection dragged within the box is taken out where it was as it is
    // put in.
    const bool moved = drop.source() == box_.viewport() && drop.dropAction() == Qt::MoveAction &&
                       cursor.hasSelection();
    if (allows(moved ? afterMoving(cursor.selectionStart(), cursor.selectionEnd(), at, viewOf(text))
                     : afterReplacing(at, at, viewOf(text)))) {
        return true;
    }
    drop.setDropAction(Qt::IgnoreAction);
    drop.ignore();
    QDragLeaveEvent leave;
    QCoreApplication::sendEvent(box_.viewport(), &leave);
    return false;
}

void ParagraphGuard::changed(int position, int /*removed*/, int added) {
    if (measured_) {
        return;
    }
    for (QTextBlock block = box_.document()->findBlock(position);
         block.isValid() && block.position() <= position + added; block = block.next()) {
        // No line has more characters than code units: most need no look.
        if (std::size_t(block.length() - 1) <= kLongestParagraph) {
            continue;
        }
        const QString text = block.text();
        std::optional<LongParagraph> found = findLongParagraph({viewOf(text)});
        if (!found) {
            continue;
        }
        found->number += std::size_t(block.blockNumber());
        // Taken back once the edit is whole: the document cannot be edited
        // while it tells of a change.
        const int steps = box_.document()->availableUndoSteps();
        QTimer::singleShot(0, this, [this, paragraph = *found, steps] {
            QTextDocument* document = box_.document();
            if (document->availableUndoSteps() == steps) {
                const Measured back(*this);
                document->undo();
                document->clearUndoRedoStacks(QTextDocument::RedoStack);
            }
            emit refused(paragraph);
        });
        return;
    }
}

}  // namespace kestrelwick
