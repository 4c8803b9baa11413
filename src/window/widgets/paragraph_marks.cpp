#include "window/widgets/paragraph_marks.h"

#include <algorithm>

namespace kestrelwick {

void ParagraphMarks::add(int paragraph, NoteKind kind, const QString& note) {
    auto [mark, added] = marks_.try_emplace(paragraph, Mark{kind, {}});
    if (kind == NoteKind::Spoils) {
        mark->second.kind = kind;
    }
    if (!mark->second.notes.contains(note)) {
        mark->second.notes << note;
    }
}

const ParagraphMarks::Mark* ParagraphMarks::find(int paragraph) const {
    const auto found = marks_.find(paragraph);
    return found == marks_.end() ? nullptr : &found->second;
}

std::vector<int> ParagraphMarks::paragraphs() const {
    std::vector<int> list;
    list.reserve(marks_.size());
    for (const auto& [paragraph, mark] : marks_) {
        list.push_back(paragraph);
    }
    return list;
}

QColor ParagraphMarks::tintOf(NoteKind kind) {
    // Amber for what spoils the result, blue for alike wordings; a quarter
    // opaque over whatever the base colour is.
    return kind == NoteKind::Spoils ? QColor(255, 160, 0, 72) : QColor(40, 120, 255, 64);
}

std::optional<MarkPlace> nextMark(const std::array<const ParagraphMarks*, kArticleCount>& boxes,
                                  std::optional<MarkPlace> from, bool forward) {
    std::vector<MarkPlace> places;
    for (int box = 0; box < int(boxes.size()); ++box) {
        for (const int paragraph : boxes[std::size_t(box)]->paragraphs()) {
            places.push_back({box, paragraph});
        }
    }
    if (places.empty()) {
        return std::nullopt;
    }
    if (!from) {
        return forward ? places.front() : places.back();
    }
    if (forward) {
        const auto after = std::upper_bound(places.begin(), places.end(), *from);
        return after == places.end() ? places.front() : *after;
    }
    const auto before = std::lower_bound(places.begin(), places.end(), *from);
    return before == places.begin() ? places.back() : *(before - 1);
}

}  // namespace kestrelwick
