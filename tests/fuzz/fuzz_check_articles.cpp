// Runs Check Articles on three arbitrary texts and checks what must hold for
// any input: no crash, balanced braces, no lost paragraph, word counts that a
// plain count confirms, a minimum that no article undercuts, and a second
// click that changes nothing. Where the report warns of neither a blank third article
// nor spin marks in the versions, the spin text must read back, through a
// parser of its own, as exactly the versions of each paragraph, and its
// shortest spin must be as long as the reported minimum.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
//
// The word count works in blocks of 65,535 code units, and only paragraphs
// longer than that cross a block boundary, far past the fuzzer's own input
// lengths. With KESTRELWICK_FUZZ_LONG_PARAGRAPHS set, every input has the last
// paragraph of one of its texts repeated, whole, until it is longer than
// 65,536 code units plus a margin: the input's last byte picks the text (its
// value modulo 3) and the margin (0 to 3 times 4,096 code units). Such runs
// are slow, so they are a separate part of a fuzzing session (see the
// Makefile).
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
    static const bool longParagraphs = std::getenv("KESTRELWICK_FUZZ_LONG_PARAGRAPHS") != nullptr;
    if (longParagraphs && size > 0) {
        const std::size_t choice = data[size - 1];
        std::u16string& text = articles[choice % 3];
        const std::size_t length = 65536 + 4096 * (choice / 3 % 4);
        const std::size_t lastBreak = text.rfind(u"\r\n");
        const std::size_t start = lastBreak == std::u16string::npos ? 0 : lastBreak + 2;
        const std::u16string piece = text.substr(start);
        if (!piece.empty()) {
            text.reserve(start + length + piece.size());
            while (text.size() - start <= length) {
                text += piece;
            }
        }
    }
    return articles;
}

bool braceFree(const std::u16string& text) {
    return text.find_first_of(u"{}") == std::u16string::npos;
}

using Group = std::vector<std::u16string_view>;

// Reads spin text as article services do: groups of alternatives between "{"
// and "}", separated by "~", with nothing but line breaks between groups and
// no group inside another. Gives nothing when the text is not of that form.
std::optional<std::vector<Group>> parseSpinText(std::u16string_view text) {
    std::vector<Group> groups;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            ++i;
            continue;
        }
        if (text[i] != u'{') {
            return std::nullopt;
        }
        Group group;
        std::size_t start = ++i;
        for (;; ++i) {
            if (i == text.size() || text[i] == u'{') {
                return std::nullopt;
            }
            if (text[i] == u'~' || text[i] == u'}') {
                group.push_back(text.substr(start, i - start));
                start = i + 1;
            }
            if (text[i] == u'}') {
                break;
            }
        }
        groups.push_back(std::move(group));
        ++i;
    }
    return groups;
}

// Words as the user counts them: runs of characters other than the space.
std::int64_t wordsIn(std::u16string_view text) {
    std::int64_t words = 0;
    bool inWord = false;
    for (const char16_t c : text) {
        words += (c != u' ' && !inWord) ? 1 : 0;
        inWord = c != u' ';
    }
    return words;
}

bool notBlank(std::u16string_view text) {
    return text.find_first_not_of(u' ') != std::u16string_view::npos;
}

// With no warning about a blank third article or spin marks, the spin text
// holds one group per paragraph of the third article that any article gives
// a version for, with exactly those versions, and its shortest spin from
// paragraph 3 on has as many words as the reported minimum.
void checkSpinTextReadsBack(const CheckArticlesData& data, const std::u16string& output) {
    for (const auto& note : data.ReportNotes) {
        if (note == u"Article 3 is empty, so there is nothing to spin." ||
            note.find(u"which break the spin text.") != std::u16string::npos) {
            return;
        }
    }
    const auto groups = parseSpinText(output);
    require(groups.has_value());

    std::size_t next = 0;
    std::int64_t shortest = 0;
    for (std::size_t p = 0; p < data.ArticleLines[2].size(); ++p) {
        Group versions;
        for (const auto& lines : data.ArticleLines) {
            if (p < lines.size() && notBlank(lines[p])) {
                versions.push_back(lines[p]);
            }
        }
        if (versions.empty()) {
            continue;
        }
        require(next < groups->size() && (*groups)[next] == versions);
        ++next;
        if (p >= 2) {
            std::int64_t fewest = wordsIn(versions.front());
            for (const auto version : versions) {
                fewest = std::min(fewest, wordsIn(version));
            }
            shortest += fewest;
        }
    }
    require(next == groups->size());
    require(shortest == data.MinimumTotal);
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

    // Every paragraph of the third article that is not blank reaches the
    // output, in order.
    std::size_t reached = 0;
    for (const auto paragraph : data.ArticleLines[2]) {
        if (!kestrelwick::isBlank(paragraph)) {
            reached = output.find(paragraph, reached);
            require(reached != std::u16string::npos);
            reached += paragraph.size();
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

    // Every paragraph has the words that a plain count finds.
    for (std::size_t article = 0; article < 3; ++article) {
        const auto& lines = data.ArticleLines[article];
        require(data.LineWordCounts[article].size() == lines.size());
        for (std::size_t p = 0; p < lines.size(); ++p) {
            require(data.LineWordCounts[article][p] == wordsIn(lines[p]));
        }
    }

    // A second click on the boxes that the first one left changes nothing.
    RecordingWindow again(whole.boxes[0], whole.boxes[1], whole.boxes[2]);
    again.boxes[3] = whole.boxes[3];
    kestrelwick::CheckArticles(again);
    require(again.writes == whole.writes);
    require(again.reportNotes == whole.reportNotes);

    checkSpinTextReadsBack(data, output);
    require(window.reportNotes.size() == 1 && window.reportNotes.front() == data.ReportNotes);
    return 0;
}
