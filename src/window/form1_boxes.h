#pragma once

// What the Check Articles engine sees of Form1: its boxes and labels through
// the engine's window interface, its report in a message box, and the
// report's marks on the article boxes. One adapter lives for one click.

#include <QString>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "processing/check_articles.h"

class Form1;

class Form1Boxes final : public kestrelwick::ArticleWindow {
  public:
    explicit Form1Boxes(Form1& form) : form_(form) {}

    std::u16string_view text1(int index) const override;
    void setText1(int index, std::u16string_view text) override;
    // The grid is emptied first and then filled: one undoable edit.
    void setText2(const std::u16string& text) override;
    void setLabel3(int index, const std::u16string& caption) override;
    void setGridParagraphs(const std::vector<std::size_t>& paragraphs) override;
    void markReport(const std::vector<kestrelwick::NotePlaces>& notes) override;
    void showReport(const std::u16string& message,
                    const std::vector<std::u16string>& notes) override;

    // Takes back everything the check wrote, for a check that could not
    // finish: each box's edit is undone, so its text is what it was and the
    // edit waits in its redo history.
    void takeBackWrites();

  private:
    Form1& form_;
    // Each box's text as the engine read it, kept while the engine works on
    // it, and whether the box still holds it.
    mutable std::array<std::u16string, 4> lent_;
    mutable std::array<bool, 4> unchanged_{};
    // What this check has written so far.
    std::array<bool, 4> written_{};
    bool gridWritten_ = false;
    std::array<std::optional<QString>, 4> labelsBefore_;
    std::vector<kestrelwick::NotePlaces> notePlaces_;
};
