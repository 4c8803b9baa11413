#pragma once

// A stand-in for the main window that keeps the boxes and labels like the real
// one does and records every write, in order, so tests can check both what the
// user ends up seeing and the order in which it appears.

#include <array>
#include <list>
#include <string>
#include <string_view>
#include <vector>

#include "processing/check_articles.h"

namespace kestrelwick::testing {

struct WindowWrite {
    enum class Target { Text1, Text2, Label3, Report };
    Target target;
    int index;  // box or label index; 0 for Text2 and the report
    std::u16string text;

    bool operator==(const WindowWrite&) const = default;
};

class RecordingWindow : public ArticleWindow {
  public:
    RecordingWindow() = default;
    RecordingWindow(std::u16string article1, std::u16string article2, std::u16string article3) {
        boxes = {std::move(article1), std::move(article2), std::move(article3), {}};
    }

    // A copy of the box, kept for as long as the window lives, as the engine
    // needs it.
    std::u16string_view text1(int index) const override {
        return lent_.emplace_back(boxes.at(std::size_t(index)));
    }
    void setText1(int index, std::u16string_view text) override {
        boxes.at(std::size_t(index)) = text;
        writes.push_back({WindowWrite::Target::Text1, index, std::u16string(text)});
    }
    void setText2(const std::u16string& text) override {
        grid = text;
        writes.push_back({WindowWrite::Target::Text2, 0, text});
    }
    void setLabel3(int index, const std::u16string& caption) override {
        labels.at(std::size_t(index)) = caption;
        writes.push_back({WindowWrite::Target::Label3, index, caption});
    }
    void showReport(const std::u16string& message,
                    const std::vector<std::u16string>& notes) override {
        reports.push_back(message);
        reportNotes.push_back(notes);
        writes.push_back({WindowWrite::Target::Report, 0, message});
    }
    void setGridParagraphs(const std::vector<std::size_t>& paragraphs) override {
        gridParagraphs = paragraphs;
    }
    void markReport(const std::vector<NotePlaces>& notes) override { notePlaces.push_back(notes); }

    std::array<std::u16string, 4> boxes;
    std::u16string grid;
    std::array<std::u16string, 4> labels;
    std::vector<std::u16string> reports;
    std::vector<std::vector<std::u16string>> reportNotes;  // one list per report
    std::vector<std::size_t> gridParagraphs;
    std::vector<std::vector<NotePlaces>> notePlaces;  // one list per report
    std::vector<WindowWrite> writes;

  private:
    mutable std::list<std::u16string> lent_;
};

// Runs the whole action on three articles and returns the window as the user
// sees it afterwards.
inline RecordingWindow checked(std::u16string_view a1, std::u16string_view a2,
                               std::u16string_view a3) {
    RecordingWindow window{std::u16string(a1), std::u16string(a2), std::u16string(a3)};
    CheckArticles(window);
    return window;
}

}  // namespace kestrelwick::testing
