#include "window/widgets/text_box.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QToolTip>
#include <QUrl>

#include <cstdlib>
#include <new>
#include <vector>

#include "window/widgets/paragraph_guard.h"
#include "window/widgets/paragraph_margin.h"

namespace kestrelwick {

namespace {

constexpr char16_t kParagraphSeparator = u'\u2029';

// Where the room asked for is kept for a moment, so that asking is not left
// out as having no effect.
void* volatile room = nullptr;

// Makes sure, before a box's text is replaced, that the edit will find the
// memory it needs: the document holds the old and the new text while its
// buffer grows, and a block for each paragraph. Room for that and as much
// again is asked for and given back at once, so that running short throws
// here, before anything changes, rather than half-way through the
// document's own edit, which cannot be taken back.
void ensureRoomFor(std::size_t oldUnits, std::size_t newUnits) {
    room = std::malloc(8 * (oldUnits + newUnits) + (std::size_t{1} << 20));
    if (room == nullptr) {
        throw std::bad_alloc();
    }
    std::free(room);
    room = nullptr;
}

}  // namespace

TextBox::TextBox(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    // The report's marks name paragraphs of the text they were made for.
    connect(document(), &QTextDocument::contentsChanged, this, &TextBox::clearMarks);
    guard_ = new ParagraphGuard(*this);
    connect(guard_, &ParagraphGuard::refused, this, &TextBox::paragraphRefused);
}

void TextBox::showParagraphNumbers() {
    if (margin_ == nullptr) {
        margin_ = new ParagraphMargin(
            *this, {[this] { return firstVisibleBlock(); },
                    [this](const QTextBlock& block) {
                        return blockBoundingGeometry(block).translated(contentOffset());
                    },
                    [this](int width) { setViewportMargins(width, 0, 0, 0); }});
    }
}

void TextBox::setRowNumbers(std::vector<std::size_t> paragraphs) {
    showParagraphNumbers();
    margin_->setRowNumbers(std::move(paragraphs));
}

void TextBox::setMarks(ParagraphMarks marks) {
    marks_ = std::move(marks);
    viewport()->update();
}

void TextBox::clearMarks() {
    if (!marks_.empty()) {
        marks_ = {};
        viewport()->update();
    }
}

void TextBox::paintEvent(QPaintEvent* event) {
    paintMarks(event->rect());
    QPlainTextEdit::paintEvent(event);
}

void TextBox::paintMarks(const QRect& area) {
    // The tints of the marked paragraphs in view, under the text.
    if (marks_.empty()) {
        return;
    }
    QPainter painter(viewport());
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF rect = blockBoundingGeometry(block).translated(contentOffset());
        if (rect.top() > area.bottom()) {
            break;
        }
        if (const ParagraphMarks::Mark* mark = marks_.find(block.blockNumber());
            mark != nullptr && block.isVisible()) {
            painter.fillRect(QRectF(0, rect.top(), viewport()->width(), rect.height()),
                             ParagraphMarks::tintOf(mark->kind));
        }
    }
}

void TextBox::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu(event->pos());
    if (!menuActions_.isEmpty()) {
        menu->addSeparator();
        menu->addActions(menuActions_);
    }
    if (nameMenu_) {
        nameMenu_(*menu);
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void TextBox::openMenuAtCursor() {
    // Where Qt opens the menu for the Menu key: the middle of the cursor.
    const QPoint at = inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, mapToGlobal(at));
    QApplication::sendEvent(this, &menu);
}

void TextBox::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    if (margin_ != nullptr) {
        margin_->fit();
    }
}

bool TextBox::viewportEvent(QEvent* event) {
    // A marked paragraph shows the notes that name it, the rest of the text
    // the box's own tooltip.
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int block = cursorForPosition(help->pos()).blockNumber();
        if (const ParagraphMarks::Mark* mark = marks_.find(block)) {
            QToolTip::showText(help->globalPos(), mark->notes.join(u'\n'), viewport());
        } else if (!toolTip().isEmpty()) {
            QToolTip::showText(help->globalPos(), toolTip(), viewport());
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QPlainTextEdit::viewportEvent(event);
}

// The document's raw text keeps every character the user entered (unlike
// toPlainText(), which turns non-breaking spaces into spaces) and marks each
// line break with a paragraph separator.
std::u16string TextBox::text() const {
    return engineTextFromRaw(document()->toRawText());
}

void TextBox::setText(std::u16string_view text) {
    ParagraphGuard::refuseLongParagraphs(text);
    ensureRoomFor(std::size_t(document()->characterCount()), text.size());
    const ParagraphGuard::Measured measured(*guard_);
    // Inserting through a cursor turns each paragraph separator into a line
    // break and keeps every other character as it is.
    setPlainText(rawFromEngineText(text));
    replacedTextHeld_ = 0;
}

namespace {

// Replacements left before the next one runs out of memory; -1 for none.
int replacementsBeforeFailing = -1;

}  // namespace

void TextBox::failReplacementsAfter(int replacements) {
    replacementsBeforeFailing = replacements;
}

bool TextBox::replaceText(std::u16string_view text, bool joinPrevious) {
    QTextDocument* doc = document();
    if (text.empty() && doc->isEmpty()) {
        return false;
    }
    if (replacementsBeforeFailing == 0) {
        replacementsBeforeFailing = -1;
        throw std::bad_alloc();
    }
    if (replacementsBeforeFailing > 0) {
        --replacementsBeforeFailing;
    }
    ParagraphGuard::refuseLongParagraphs(text);
    // The new text is made, and room for the edit found, before the old one
    // goes: running out of memory here leaves the box as it was.
    const QString raw = rawFromEngineText(text);
    ensureRoomFor(std::size_t(doc->characterCount()), text.size());
    const std::size_t held = std::size_t(doc->characterCount() - 1) + text.size();
    if (replacedTextHeld_ > 0 && replacedTextHeld_ + held > kReplacedTextKept) {
        // Dropping the history alone would leave the texts it held in the
        // document's store; loading the current text afresh frees them.
        setText(engineTextFromRaw(doc->toRawText()));
        joinPrevious = false;
    }
    replacedTextHeld_ += held;

    const ParagraphGuard::Measured measured(*guard_);
    QTextCursor cursor(doc);
    if (joinPrevious) {
        cursor.joinPreviousEditBlock();
    } else {
        cursor.beginEditBlock();
    }
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    // Each paragraph separator becomes a line break, every other character
    // stays as it is, as when the text is loaded.
    try {
        cursor.insertText(raw);
    } catch (const std::bad_alloc&) {
        // The text that went out comes back before the failure is told.
        cursor.endEditBlock();
        doc->undo();
        throw;
    }
    cursor.endEditBlock();
    moveCursor(QTextCursor::Start);
    return true;
}

void TextBox::trimSpaces() {
    try {
        trimSpacesOf();
    } catch (const std::bad_alloc&) {
        // Tidying on the way out is left for the next time: the text is as
        // it was.
    }
}

void TextBox::trimSpacesOf() {
    const QString raw = document()->toRawText();
    const auto [leading, trailing] = spacesAtEnds(raw);
    if (leading == 0 && trailing == 0) {
        return;
    }
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    if (trailing > 0) {
        cursor.setPosition(int(raw.size() - trailing));
        cursor.setPosition(int(raw.size()), QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    if (leading > 0) {
        cursor.setPosition(0);
        cursor.setPosition(int(leading), QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    cursor.endEditBlock();
}

void TextBox::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    // Like Qt's own line edits, a context menu or another window taking the
    // activation is not the user leaving the box.
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
        emit left();
    }
}

bool TextBox::event(QEvent* event) {
    // Redo answers both of its usual keys on every desktop, as Undo answers
    // Ctrl+Z.
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        const bool isRedo =
            (key->key() == Qt::Key_Y && modifiers == Qt::ControlModifier) ||
            (key->key() == Qt::Key_Z && modifiers == (Qt::ControlModifier | Qt::ShiftModifier));
        if (isRedo && !isReadOnly()) {
            event->accept();
            if (event->type() == QEvent::KeyPress) {
                redo();
            }
            return true;
        }
    }
    return QPlainTextEdit::event(event);
}

void TextBox::keyPressEvent(QKeyEvent* event) {
    // The system turns the Menu key into a context menu itself; the other
    // keys that open the menu are answered here.
    if (event->key() != Qt::Key_Menu && menuKeys_.contains(QKeySequence(event->keyCombination()))) {
        openMenuAtCursor();
        return;
    }

    // Alt with a key that types a character is a shortcut the window does not
    // have, not text: as in the native edit boxes, it types nothing. AltGr,
    // which types characters on many keyboards, comes as Ctrl+Alt or as a
    // group switch, and still types them.
    const Qt::KeyboardModifiers held =
        event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier | Qt::GroupSwitchModifier);
    if (held == Qt::AltModifier && !event->text().isEmpty() && event->text().front().isPrint()) {
        event->ignore();
        return;
    }

    // Shift+Enter would insert a soft line break that the engine does not see
    // as one; in these boxes every Enter starts a new paragraph.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (enter && modifiers == Qt::ShiftModifier && !isReadOnly()) {
        textCursor().insertBlock();
        ensureCursorVisible();
        return;
    }
    if (guard_->allowsKey(*event)) {
        QPlainTextEdit::keyPressEvent(event);
    }
}

void TextBox::inputMethodEvent(QInputMethodEvent* event) {
    if (guard_->allowsInputMethod(*event)) {
        QPlainTextEdit::inputMethodEvent(event);
    }
}

void TextBox::joinToLastEdit(QAbstractUndoItem* item) {
    QTextCursor cursor(document());
    cursor.joinPreviousEditBlock();
    document()->appendUndoItem(item);
    cursor.endEditBlock();
}

QMimeData* TextBox::createMimeDataFromSelection() const {
    // The default copy goes through plain text, which turns non-breaking
    // spaces into spaces; the spin text must leave the box as it stands.
    auto* mime = new QMimeData;
    QString raw = textCursor().selection().toRawText();
    raw.replace(QChar(kParagraphSeparator), QChar(u'\n'));
    mime->setText(raw);
    return mime;
}

}  // namespace kestrelwick
