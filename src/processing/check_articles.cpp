#include "processing/check_articles.h"

#include <algorithm>

namespace kestrelwick {

namespace {

constexpr char16_t kSpace = u' ';
constexpr char16_t kTab = u'\t';
constexpr char16_t kCr = u'\r';
constexpr char16_t kLf = u'\n';
constexpr std::u16string_view kLineBreak = u"\r\n";

// The third article drives the grid, the minimum and the spin text.
constexpr std::size_t kDrivingArticle = 2;
// Paragraph 0 is the title: it counts in the totals but not in the grid.
constexpr std::size_t kFirstGridParagraph = 1;
// Paragraph 1 is the introduction: in the grid, but not in the minimum.
constexpr std::size_t kFirstSummedParagraph = 2;

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

bool hasParagraph(const CheckArticlesData& data, std::size_t article, std::size_t paragraph) {
    return paragraph < data.ArticleLines[article].size();
}

WordCount countOf(const CheckArticlesData& data, std::size_t article, std::size_t paragraph) {
    return hasParagraph(data, article, paragraph) ? data.LineWordCounts[article][paragraph] : 0;
}

// One line per paragraph of the third article from paragraph 1 on: every
// non-zero count of the three articles followed by a TAB, then CR LF. A
// paragraph without counts leaves no line. Also fills LineMinimums.
std::u16string buildGrid(CheckArticlesData& data) {
    const std::size_t paragraphs = data.ArticleLines[kDrivingArticle].size();
    data.LineMinimums.assign(paragraphs, 0);

    std::u16string grid;
    for (std::size_t p = kFirstGridParagraph; p < paragraphs; ++p) {
        WordCount minimum = 0;
        for (std::size_t article = 0; article < kArticleCount; ++article) {
            const WordCount count = countOf(data, article, p);
            if (count == 0) {
                continue;
            }
            grid += decimalText(count);
            grid += kTab;
            if (minimum == 0 || count < minimum) {
                minimum = count;
            }
        }
        if (minimum != 0) {
            grid += kLineBreak;
        }
        data.LineMinimums[p] = minimum;
    }
    return grid;
}

// One group per paragraph of the third article: the versions whose article has
// that paragraph and where it is not blank, in article order, joined by "~"
// between braces and followed by an empty line. A paragraph that no article
// offers adds nothing, so every group is complete and on its own line. The
// title's group is followed by one more line break.
std::u16string buildAmaFormat(const CheckArticlesData& data) {
    const auto& driving = data.ArticleLines[kDrivingArticle];

    std::size_t capacity = 2 * kLineBreak.size();
    for (const auto& text : data.ArticleTexts) {
        capacity += text.size();
    }
    capacity += driving.size() * (4 + 2 * kLineBreak.size());

    std::u16string out;
    out.reserve(capacity);
    for (std::size_t p = 0; p < driving.size(); ++p) {
        bool opened = false;
        for (std::size_t article = 0; article < kArticleCount; ++article) {
            if (!hasParagraph(data, article, p)) {
                continue;
            }
            const std::u16string_view version = data.ArticleLines[article][p];
            if (isBlank(version)) {
                continue;
            }
            out += opened ? u'~' : u'{';
            out += version;
            opened = true;
        }
        if (opened) {
            out += u'}';
            out += kLineBreak;
            out += kLineBreak;
        }
        if (p == 0) {
            out += kLineBreak;
        }
    }
    return out;
}

}  // namespace

std::u16string_view trimSpaces(std::u16string_view text) {
    const auto first = text.find_first_not_of(kSpace);
    if (first == std::u16string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(kSpace);
    return text.substr(first, last - first + 1);
}

bool isBlank(std::u16string_view text) {
    return text.find_first_not_of(kSpace) == std::u16string_view::npos;
}

std::u16string CleanArticleText(std::u16string text) {
    const std::u16string_view trimmed = trimSpaces(text);
    std::size_t length = trimmed.size();
    while (length > 0 && (trimmed[length - 1] == kLf || trimmed[length - 1] == kCr)) {
        --length;
    }
    const std::size_t start = trimmed.empty() ? 0 : std::size_t(trimmed.data() - text.data());
    text.erase(start + length);
    text.erase(0, start);
    return text;
}

std::vector<std::u16string_view> SplitIntoLines(std::u16string_view text) {
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
        start = found + kLineBreak.size();
    }
    lines.push_back(text.substr(start));
    return lines;
}

WordCount countWords(std::u16string_view paragraph) {
    // Counting the characters that start a word, each judged from itself and
    // its left neighbour alone, lets the compiler count many at a time.
    if (paragraph.empty()) {
        return 0;
    }
    WordCount words = paragraph[0] != kSpace;
    for (std::size_t i = 1; i < paragraph.size(); ++i) {
        words += WordCount{paragraph[i] != kSpace} & WordCount{paragraph[i - 1] == kSpace};
    }
    return words;
}

std::u16string decimalText(WordCount number) {
    // Built from the magnitude as unsigned so that the smallest value works too.
    const bool negative = number < 0;
    auto magnitude =
        negative ? std::uint64_t{0} - static_cast<std::uint64_t>(number) : std::uint64_t(number);
    std::u16string digits;
    do {
        digits += static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative) {
        digits += u'-';
    }
    std::reverse(digits.begin(), digits.end());
    return digits;
}

void IntakeArticles(ArticleWindow& window, CheckArticlesData& data) {
    window.setText2(std::u16string());
    for (std::size_t article = 0; article < kArticleCount; ++article) {
        data.ArticleTexts[article] = CleanArticleText(window.text1(static_cast<int>(article)));
        window.setText1(static_cast<int>(article), data.ArticleTexts[article]);
        data.ArticleLines[article] = SplitIntoLines(data.ArticleTexts[article]);
    }
}

void CheckArticleLengths(ArticleWindow& window, CheckArticlesData& data) {
    for (std::size_t article = 0; article < kArticleCount; ++article) {
        const auto& lines = data.ArticleLines[article];
        auto& counts = data.LineWordCounts[article];
        counts.resize(lines.size());
        WordCount total = 0;
        for (std::size_t p = 0; p < lines.size(); ++p) {
            counts[p] = countWords(lines[p]);
            total += counts[p];
        }
        data.ArticleWordTotals[article] = total;
        window.setLabel3(static_cast<int>(article), u"Words: " + decimalText(total));
    }

    window.setText2(buildGrid(data));

    data.MinimumTotal = 0;
    for (std::size_t p = kFirstSummedParagraph; p < data.LineMinimums.size(); ++p) {
        data.MinimumTotal += data.LineMinimums[p];
    }
    const std::u16string minimum = decimalText(data.MinimumTotal);
    window.setLabel3(3, u"Minimum words: " + minimum);
    window.showReport(u"Minimum length = " + minimum + u" words");
}

void GenerateAmaFormat(ArticleWindow& window, const CheckArticlesData& data) {
    window.setText1(kOutputBox, buildAmaFormat(data));
}

void CheckArticles(ArticleWindow& window) {
    CheckArticlesData data;
    IntakeArticles(window, data);
    CheckArticleLengths(window, data);
    GenerateAmaFormat(window, data);
}

}  // namespace kestrelwick
