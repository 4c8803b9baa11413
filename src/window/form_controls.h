#pragma once

// The controls of Kestrelwick's window by role, for the units that work on
// them beside the form (a check's display, moving between marks, files
// dropped or opened, the saved state) without knowing the form itself.

#include <array>
#include <cstddef>

#include "processing/check_articles.h"
#include "window/large_boxes.h"

class QLabel;

namespace kestrelwick {

class TextBox;

struct FormControls {
    std::array<TextBox*, kArticleCount> articleBoxes{};
    TextBox* outputBox = nullptr;
    TextBox* gridBox = nullptr;
    // Each article's word count, then the minimum length.
    std::array<QLabel*, kArticleCount + 1> countLabels{};

    // The large boxes in the order the window shows them: the articles,
    // then the output.
    std::array<TextBox*, kBoxCount> largeBoxes() const {
        return {articleBoxes[0], articleBoxes[1], articleBoxes[2], outputBox};
    }
};

}  // namespace kestrelwick
