#include "processing/counted_articles.h"

#include <algorithm>
#include <cstdint>
#include <thread>

namespace kestrelwick {

namespace {

constexpr char16_t kCr = u'\r';
constexpr char16_t kLf = u'\n';
constexpr std::size_t kLineBreakSize = 2;  // CR LF

// Finds the next CR LF at or after `from`. Blocks without any CR are skipped
// with a test that the compiler can run on many code units at once; articles
// are long and line breaks are few.
std::size_t findLineBreak(std::u16string_view text, std::size_t from) {
    constexpr std::size_t kBlock = 32;
    const char16_t* units = text.data();
    const std::size_t size = text.size();
    std::size_t begin = from;
    while (begin < size) {
        const std::size_t end = size - begin >= kBlock ? begin + kBlock : size;
        if (end - begin == kBlock) {
            unsigned anyCr = 0;
            for (std::size_t i = 0; i < kBlock; ++i) {
                anyCr |= unsigned(units[begin + i] == kCr);
            }
            if (anyCr == 0) {
                begin = end;
                continue;
            }
        }
        for (std::size_t i = begin; i < end; ++i) {
            if (units[i] == kCr && i + 1 < size && units[i + 1] == kLf) {
                return i;
            }
        }
        begin = end;
    }
    return std::u16string_view::npos;
}

}  // namespace

std::u16string_view tidyArticleText(std::u16string_view text) {
    // One pass gives what trimming and dropping the trailing breaks would give
    // if repeated until nothing changed, so a second click tidies nothing more.
    const auto isTail = [](char16_t unit) {
        return unit == kWordSeparator || unit == kCr || unit == kLf;
    };
    std::size_t length = text.size();
    while (length > 0 && isTail(text[length - 1])) {
        --length;
    }
    text = text.substr(0, length);
    return text.substr(std::min(text.find_first_not_of(kWordSeparator), text.size()));
}

std::vector<std::u16string_view> splitIntoParagraphs(std::u16string_view text) {
    std::vector<std::u16string_view> lines;
    if (isBlank(text)) {
        return lines;
    }
    std::size_t start = 0;
    for (;;) {
        const std::size_t found = findLineBreak(text, start);
        if (found == std::u16string_view::npos) {
            break;
        }
        lines.push_back(text.substr(start, found - start));
        start = found + kLineBreakSize;
    }
    lines.push_back(text.substr(start));
    return lines;
}

CountedArticles countArticles(const ArticleTexts& texts, const std::array<char16_t, 3>& spinMarks) {
    CountedArticles counted;
    for (std::size_t article = 0; article < kArticleCount; ++article) {
        counted.tidied[article] = tidyArticleText(texts[article]);
        counted.paragraphs[article] = splitIntoParagraphs(counted.tidied[article]);
    }
    const std::size_t spinParagraphs = counted.drivingParagraphs();
    for (std::size_t article = 0; article < kArticleCount; ++article) {
        const auto& lines = counted.paragraphs[article];
        auto& counts = counted.paragraphWords[article];
        counts.resize(lines.size());
        WordCount total = 0;
        for (std::size_t p = 0; p < lines.size(); ++p) {
            const ParagraphScan scan = scanParagraph(lines[p], spinMarks);
            counts[p] = scan.words;
            total += scan.words;
            // A paragraph with a mark is not blank, so it goes into the spin
            // text whenever the third article has a paragraph of its number.
            if (scan.hasMark && p < spinParagraphs) {
                counted.spinMarkParagraphs[article].add(p);
            }
        }
        counted.articleWords[article] = total;
    }
    return counted;
}

std::size_t CountedArticles::halfwayParagraph() const {
    // Below this many code units in all, a thread costs more than it saves.
    constexpr std::size_t kSharedFrom = std::size_t{1} << 18;
    const auto& driving = paragraphs[kDrivingArticle];
    std::size_t units = 0;
    for (const std::u16string_view text : tidied) {
        units += text.size();
    }
    if (units < kSharedFrom || driving.size() < 2 || std::thread::hardware_concurrency() < 2) {
        return 0;
    }
    const std::u16string_view text = tidied[kDrivingArticle];
    std::size_t half = 1;
    while (half + 1 < driving.size() &&
           2 * std::size_t(driving[half].data() - text.data()) < text.size()) {
        ++half;
    }
    return half;
}

}  // namespace kestrelwick
