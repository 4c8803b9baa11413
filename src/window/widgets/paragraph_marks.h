#pragma once

// Marks over the paragraphs of an article box that the report's notes name:
// a tint behind each such paragraph, drawn under its text and never part of
// it (no edit, no undo step, nothing copied), and the notes' texts as its
// tooltip. Input that breaks the spin text or the minimum has one tint,
// versions worded alike another; a paragraph that notes of both kinds name
// takes the first. Both tints are translucent, so they read over light and
// dark palettes alike.
//
// F8 and Shift+F8 go from mark to mark across the three article boxes
// (nextMark).

#include <QColor>
#include <QString>
#include <QStringList>

#include <array>
#include <map>
#include <optional>
#include <vector>

#include "processing/check_articles.h"

namespace kestrelwick {

class ParagraphMarks {
  public:
    struct Mark {
        NoteKind kind;
        QStringList notes;
    };

    // Marks a paragraph (from 0) for a note.
    void add(int paragraph, NoteKind kind, const QString& note);
    bool empty() const { return marks_.empty(); }
    const Mark* find(int paragraph) const;
    // The marked paragraphs in order.
    std::vector<int> paragraphs() const;

    static QColor tintOf(NoteKind kind);

  private:
    std::map<int, Mark> marks_;
};

// A marked paragraph of an article box.
struct MarkPlace {
    int box;
    int paragraph;
    auto operator<=>(const MarkPlace&) const = default;
};

// The mark after (or before) a place, in box order and then paragraph order,
// going round from the last to the first; from nowhere, the first (or last).
std::optional<MarkPlace> nextMark(const std::array<const ParagraphMarks*, kArticleCount>& boxes,
                                  std::optional<MarkPlace> from, bool forward);

}  // namespace kestrelwick
