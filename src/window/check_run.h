#pragma once

// One click of Check Articles in the window: the article boxes read, the
// engine's result (processing/check_articles.h) worked out, and then shown
// on the form's controls in the order the window has always used: the tidied
// article boxes, the count labels and the grid, the marks and the report, and
// once the report is closed the spin text in the output box, where it has no
// paragraph longer than a box takes.
//
// Everything that can run out of memory in the engine runs before anything
// is shown, so a check that fails leaves every control as it was.

#include <QString>

#include <array>
#include <optional>
#include <string>

#include "processing/check_articles.h"
#include "processing/spinning.h"
#include "window/form_controls.h"

class QWidget;

namespace kestrelwick {

class CheckRun {
  public:
    // Reads the article boxes and checks them. Throws std::bad_alloc when
    // memory runs out; nothing has changed then.
    CheckRun(const FormControls& controls, SpinFormat format, SpinBy by);

    // Shows the result in three steps, each box that changes as one
    // undoable edit: the tidied boxes, the labels, the grid and the marks;
    // then the report, modal over parent, until the user closes it; then the
    // spin text. When showing the counts runs out of memory, everything it
    // changed is taken back before std::bad_alloc goes on.
    void showCounts();
    void showReport(QWidget* parent) const;
    // The spin text's first paragraph longer than a box takes, if it has
    // one: then it is not to be shown.
    std::optional<LongParagraph> longSpinTextParagraph() const;
    // Writes the spin text into the output box; returns what the format
    // choice keeps of it.
    WrittenSpinText showSpinText();
    // The texts the check read, for a later switch of grouping; once the
    // spin text is shown, as the result views into them.
    std::array<std::u16string, kArticleCount> takeTexts() { return std::move(texts_); }

  private:
    const FormControls& controls_;
    SpinFormat format_;
    // The texts of the article boxes, lent to the engine: the result views
    // into them.
    std::array<std::u16string, kArticleCount> texts_;
    CheckResult result_;
    WorkingText spinText_;
    std::vector<std::size_t> separators_;  // where spinText_ has its separators

    // What showCounts changed, to take it back.
    void takeBack();
    std::array<bool, kArticleCount> boxReplaced_{};
    bool gridReplaced_ = false;
    std::array<QString, kArticleCount + 1> labelsBefore_;
};

}  // namespace kestrelwick
