#pragma once

// A box's edits held to the longest paragraph a box takes
// (processing/long_paragraphs.h). Every edit that could make a paragraph
// longer is measured before the box makes it, from the lines it touches
// alone: a paste or a drop of text (the text put in, with the start and the
// rest of the line it goes into), a text moved within the box, a key that
// types or that joins two lines (Backspace at the start of a line, Delete at
// its end, either over a selection), and what an input method commits. Such
// an edit is not made, and refused says which paragraph it would have made
// and how long.
//
// Anything else that makes a paragraph too long (a selection cut or deleted
// from the context menu, or dragged away to another program) is found once
// made and taken back at once, its redo step dropped with it. So the box
// never holds a paragraph longer than the limit, and neither does its undo
// history: undo and redo go back and forth between texts that each held
// none.

#include <QObject>
#include <QString>

#include <exception>
#include <optional>
#include <string_view>

#include "processing/check_articles.h"

class QDropEvent;
class QInputMethodEvent;
class QKeyEvent;
class QPlainTextEdit;

namespace kestrelwick {

// What a box throws, with the box as it was, for a whole text given it
// (TextBox::setText and replaceText) that holds a paragraph longer than a
// box takes. Whoever gives a box a text finds such a paragraph first, with
// findLongParagraph, to say where it is.
class ParagraphTooLong : public std::exception {
  public:
    explicit ParagraphTooLong(const LongParagraph& found) : paragraph(found) {}
    const char* what() const noexcept override { return "a paragraph longer than a box takes"; }
    LongParagraph paragraph;
};

class ParagraphGuard : public QObject {
    Q_OBJECT

  public:
    explicit ParagraphGuard(QPlainTextEdit& box);

    // Throws ParagraphTooLong for a whole text that holds a paragraph longer
    // than a box takes.
    static void refuseLongParagraphs(std::u16string_view text);

    // Whether the box may take each edit; where it may not, refused is
    // emitted and the edit is to be left undone.
    bool allowsInsert(const QString& text);  // at the cursor, over its selection
    bool allowsKey(const QKeyEvent& key);
    bool allowsInputMethod(const QInputMethodEvent& event);
    // A drop refused is ignored, so that its source keeps the text, and the
    // box forgets the drag as when it goes elsewhere.
    bool allowsDrop(QDropEvent& drop, const QString& text);

    // While one lives, the box's edits have been measured before they are
    // made, and are not measured again.
    class Measured {
      public:
        explicit Measured(ParagraphGuard& guard) : guard_(guard), before_(guard.measured_) {
            guard_.measured_ = true;
        }
        ~Measured() { guard_.measured_ = before_; }
        Measured(const Measured&) = delete;
        Measured& operator=(const Measured&) = delete;

      private:
        ParagraphGuard& guard_;
        bool before_;
    };

    // The first paragraph too long that replacing the box's text from
    // `from` to `to` with text would make, numbered in the whole box.
    std::optional<LongParagraph> afterReplacing(int from, int to, std::u16string_view text) const;
    // The same for the text from `from` to `to` moved to `at`.
    std::optional<LongParagraph> afterMoving(int from, int to, int at,
                                             std::u16string_view text) const;

  signals:
    void refused(const LongParagraph& paragraph);

  private:
    bool allows(const std::optional<LongParagraph>& found);
    void changed(int position, int removed, int added);

    QPlainTextEdit& box_;
    bool measured_ = false;
};

}  // namespace kestrelwick
