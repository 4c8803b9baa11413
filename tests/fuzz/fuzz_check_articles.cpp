// Runs Check Articles on three arbitrary texts and checks what must hold for
// any input: no crash, balanced braces, no lost paragraph, and a minimum that
// no article undercuts.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "processing/check_articles.h"
#include "processing/recording_window.h"

namespace {

using kestrelwick::CheckArticlesData;
using kestrelwick::testing::RecordingWindow;

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The input is cut into three texts at the first two 16-bit values 0xFFFF.
std::array<std::u16string, 3> articlesFrom(const std::uint8_t* data, std::size_t size) {
    std::array<std::u16string, 3> articles;
    std::size_t article = 0;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        char16_t unit = 0;
        std::memcpy(&unit, data + i, sizeof unit);
        if (unit == u'\xffff' && article < 2) {
            ++article;
            continue;
        }
        articles[article] += unit;
    }
    return articles;
}

bool braceFree(const std::u16string& text) {
    return text.find_first_of(u"{}") == std::u16string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const auto articles = articlesFrom(bytes, size);

    RecordingWindow window(articles[0], articles[1], articles[2]);
    CheckArticlesData data;
    IntakeArticles(window, data);
    CheckArticleLengths(window, data);
    GenerateAmaFormat(window, data);
    const std::u16string& output = window.boxes[3];

    // The first two phases ran against the same boxes as the whole action does.
    RecordingWindow whole(articles[0], articles[1], articles[2]);
    kestrelwick::CheckArticles(whole);
    require(whole.writes == window.writes);

    // With brace-free articles every "{" is closed before the next opens.
    if (braceFree(articles[0]) && braceFree(articles[1]) && braceFree(articles[2])) {
        bool open = false;
        for (const char16_t c : output) {
            if (c == u'{') {
                require(!open);
                open = true;
            } else if (c == u'}') {
                require(open);
                open = false;
            }
        }
        require(!open);
    }

    // Every paragraph of the third article that is not blank reaches the output.
    for (const auto paragraph : data.ArticleLines[2]) {
        if (!kestrelwick::isBlank(paragraph)) {
            require(output.find(paragraph) != std::u16string::npos);
        }
    }

    // The minimum never exceeds what an article offers for the summed
    // paragraphs, wherever that article has words in every one of them.
    const std::size_t paragraphs = data.ArticleLines[2].size();
    for (std::size_t article = 0; article < 3; ++article) {
        kestrelwick::WordCount total = 0;
        bool complete = true;
        for (std::size_t p = 2; p < paragraphs; ++p) {
            const auto& counts = data.LineWordCounts[article];
            const kestrelwick::WordCount count = p < counts.size() ? counts[p] : 0;
            complete = complete && (count > 0 || data.LineMinimums[p] == 0);
            total += count;
        }
        if (complete) {
            require(data.MinimumTotal <= total);
        }
        require(data.ArticleWordTotals[article] >= 0);
    }
    return 0;
}
