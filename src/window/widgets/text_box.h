#pragma once

// The window's multi-line boxes: the three article boxes, the output box and
// the grid. Each keeps every code unit as typed, pasted or dropped, replaces
// its whole text as one undoable step, numbers its paragraphs in a margin,
// shows the report's marks over them, and takes no paragraph longer than it
// can lay out (processing/long_paragraphs.h).

#include <QKeySequence>
#include <QList>
#include <QPlainTextEdit>
#include <QStringList>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "window/widgets/box_text.h"
#include "window/widgets/paragraph_guard.h"
#include "window/widgets/paragraph_marks.h"

class QAbstractUndoItem;
class QAction;
class QMenu;

namespace kestrelwick {

class ParagraphMargin;

// One of the window's multi-line boxes: plain text, wrapped at the box width,
// a vertical scroll bar always shown, Tab moving the focus instead of being
// typed.
//
// The boxes hold every code unit as typed or pasted. The Check Articles engine
// sees their line breaks as CR LF: text() gives each line break as CR LF and
// setText() makes each CR LF a line break. A line break arriving in any other
// form (LF alone, as the Linux clipboard carries it, or a lone CR) becomes a
// line break of the box as well, so pasted text always splits into its
// paragraphs.
//
// No paragraph of a box is ever longer than kLongestParagraph characters:
// setText and replaceText refuse such a text, and typing, pasting, dropping
// and joining lines that would make one are not done, and say so
// (window/widgets/paragraph_guard.h).
class TextBox : public QPlainTextEdit {
    Q_OBJECT

  public:
    explicit TextBox(QWidget* parent = nullptr);

    std::u16string text() const;
    // Loads a text with a fresh undo history, as a newly opened box has.
    // Throws std::bad_alloc, with the box as it was, when memory runs short,
    // and ParagraphTooLong for a paragraph longer than a box takes.
    void setText(std::u16string_view text);

    // Replaces the whole text as one undoable edit: Ctrl+Z brings back the
    // text the box held, code unit for code unit. With joinPrevious the edit
    // joins the box's last one, so that two writes in one action undo as one.
    // The cursor goes to the start of the text, and the view with it. An
    // empty box that stays empty is left alone; the result says whether the
    // box was edited. Throws as setText does, with the box as it was.
    //
    // The history keeps what each replacement took out and put in. Once that
    // would pass kReplacedTextKept code units (128 MiB), the older history is
    // dropped before the next replacement, which itself always stays
    // undoable: a box holds at most its text, the text it replaced, and that
    // much more for older replacements.
    bool replaceText(std::u16string_view text, bool joinPrevious = false);
    static constexpr std::size_t kReplacedTextKept = std::size_t{64} << 20;
    // Adds to the box's last edit what else undo and redo take back with it
    // (a choice that names what the box holds); the box owns it.
    void joinToLastEdit(QAbstractUndoItem* item);

    // Makes the replacement after the next `replacements` ones throw
    // std::bad_alloc before it changes anything, as a system out of memory
    // would; -1 ends it. For the tests of a check that runs out of memory.
    static void failReplacementsAfter(int replacements);

    // Removes the spaces at both ends of the whole text as one undoable edit;
    // a text without such spaces is left alone, view and undo history too,
    // and so is any text where memory runs short.
    void trimSpaces();

    // Shows the number of each paragraph in a margin at the left inside the
    // box (window/paragraph_margin.h); with row numbers, each line shows the
    // paragraph number given for it instead.
    void showParagraphNumbers();
    void setRowNumbers(std::vector<std::size_t> paragraphs);
    ParagraphMargin* margin() const { return margin_; }

    // The report's marks over the box's paragraphs (window/paragraph_marks.h);
    // they go when the text changes.
    void setMarks(ParagraphMarks marks);
    void clearMarks();
    const ParagraphMarks& marks() const { return marks_; }

    // How many files a drop on this box can take: the article boxes from
    // this one on; 0 (the default) takes none.
    void setFileRoom(int files) { fileRoom_ = files; }

    // An action that the box's context menu offers after its own.
    void addMenuAction(QAction* action) { menuActions_.append(action); }
    // Names the menu's items before it shows (the window gives Qt's own
    // items their letters and keys).
    void setMenuNamer(std::function<void(QMenu&)> name) { nameMenu_ = std::move(name); }
    // Keys that open the menu at the text cursor, as the Menu key does.
    void setMenuKeys(QList<QKeySequence> keys) { menuKeys_ = std::move(keys); }
    void openMenuAtCursor();

    // The local files that the data stands for, when it stands for files
    // only; otherwise none, and the data drops as text.
    static QStringList localFiles(const QMimeData* data);

  signals:
    // The focus moved to another control of the window. A context menu
    // opening or the window losing activation does not count.
    void left();
    // Files were dropped on the box; what to do with them is the window's.
    void filesDropped(const QStringList& paths);
    // An edit of the user's was not done: it would have made this paragraph
    // longer than a box takes. Telling the user is the window's.
    void paragraphRefused(const LongParagraph& paragraph);

  protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // Answers a drag of files, and says whether it was one.
    bool answerFileDrag(QDragMoveEvent* event) const;
    void trimSpacesOf();
    // Draws the tints of the marked paragraphs that lie in the area, before
    // the box draws its text over them.
    void paintMarks(const QRect& area);

    int fileRoom_ = 0;
    QList<QAction*> menuActions_;
    std::function<void(QMenu&)> nameMenu_;
    QList<QKeySequence> menuKeys_;
    ParagraphMargin* margin_ = nullptr;
    ParagraphMarks marks_;
    ParagraphGuard* guard_ = nullptr;
    // Code units that the history holds for whole-text replacements.
    std::size_t replacedTextHeld_ = 0;
};

}  // namespace kestrelwick
