#pragma once

// A check of three articles for the engine's tests: the result, with the
// texts it views into kept alive beside it, and its parts as plain values
// that compare whole (the tidied texts, the spin text written out, the
// notes' texts).

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "processing/check_articles.h"

namespace kestrelwick::testing {

struct Checked {
    std::array<std::u16string, kArticleCount> tidied;
    std::u16string spinText;
    std::u16string grid;
    std::vector<std::size_t> gridParagraphs;
    std::array<std::u16string, kArticleCount + 1> captions;
    std::u16string message;
    std::u16string reportText;  // the message and the lines after it
    std::vector<std::u16string> notes;
    // The result itself, with the texts its views point into.
    std::shared_ptr<const std::array<std::u16string, kArticleCount>> texts;
    std::shared_ptr<const CheckResult> result;
};

inline Checked checked(std::u16string_view a1, std::u16string_view a2, std::u16string_view a3,
                       SpinFormat format = SpinFormat::Ama, SpinBy by = SpinBy::Paragraph) {
    Checked check;
    check.texts = std::make_shared<const std::array<std::u16string, kArticleCount>>(
        std::array<std::u16string, kArticleCount>{std::u16string(a1), std::u16string(a2),
                                                  std::u16string(a3)});
    const auto& texts = *check.texts;
    check.result = std::make_shared<const CheckResult>(
        checkArticles({texts[0], texts[1], texts[2]}, format, by));
    const CheckResult& result = *check.result;
    for (std::size_t k = 0; k < kArticleCount; ++k) {
        check.tidied[k] = result.articles.tidied[k];
    }
    check.spinText = std::u16string(writeSpinText(result.spinText, format));
    check.grid = result.grid;
    check.gridParagraphs = result.gridParagraphs;
    check.captions = result.captions;
    check.message = result.message;
    check.reportText = result.reportText();
    for (const ReportNote& note : result.notes) {
        check.notes.push_back(note.text);
    }
    return check;
}

}  // namespace kestrelwick::testing
