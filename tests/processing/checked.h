#pragma once

// A check of three articles as the user ends up seeing it: the four large
// boxes (the tidied articles, then the spin text), the grid, the four labels
// and the report, built from the engine's one result value.

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "processing/check_articles.h"

namespace kestrelwick::testing {

struct Checked {
    std::array<std::u16string, 4> boxes;
    std::u16string grid;
    std::vector<std::size_t> gridParagraphs;
    std::array<std::u16string, 4> labels;
    std::u16string message;
    std::vector<std::u16string> notes;
    std::vector<ReportNote> placedNotes;
    // The result itself, with the texts its views point into.
    std::shared_ptr<const std::array<std::u16string, 3>> texts;
    std::shared_ptr<const CheckResult> result;
};

inline Checked checked(std::u16string_view a1, std::u16string_view a2, std::u16string_view a3,
                       SpinFormat format = SpinFormat::Ama) {
    Checked shown;
    shown.texts = std::make_shared<const std::array<std::u16string, 3>>(
        std::array<std::u16string, 3>{std::u16string(a1), std::u16string(a2), std::u16string(a3)});
    const auto& texts = *shown.texts;
    shown.result =
        std::make_shared<const CheckResult>(checkArticles({texts[0], texts[1], texts[2]}, format));
    const CheckResult& result = *shown.result;
    for (std::size_t k = 0; k < 3; ++k) {
        shown.boxes[k] = result.articles.tidied[k];
    }
    shown.boxes[3] = std::u16string(writeSpinText(result.spinText, format));
    shown.grid = result.grid;
    shown.gridParagraphs = result.gridParagraphs;
    for (std::size_t k = 0; k < 4; ++k) {
        shown.labels[k] = result.captions[k];
    }
    shown.message = result.message;
    for (const ReportNote& note : result.notes) {
        shown.notes.push_back(note.text);
    }
    shown.placedNotes = result.notes;
    return shown;
}

}  // namespace kestrelwick::testing
