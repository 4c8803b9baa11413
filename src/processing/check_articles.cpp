#include "processing/check_articles.h"

#include <algorithm>
#include <future>
#include <system_error>
#include <thread>

#include "processing/wording.h"
#include "processing/working_memory.h"

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
    data.GridParagraphs.clear();

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
            data.GridParagraphs.push_back(p);
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
WorkingText buildAmaFormat(const CheckArticlesData& data) {
    const auto& driving = data.ArticleLines[kDrivingArticle];

    std::size_t capacity = 2 * kLineBreak.size();
    for (const auto& text : data.ArticleTexts) {
        capacity += text.size();
    }
    capacity += driving.size() * (4 + 2 * kLineBreak.size());

    WorkingText out;
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

// The pairs of articles whose versions are compared, in the order the report
// names them.
constexpr auto kArticlePairs = WordingComparer::kPairs;

struct AlikeParagraphs {
    std::array<ParagraphNumbers, kArticlePairs.size()> same;
    std::array<ParagraphNumbers, kArticlePairs.size()> nearlySame;
};

// The paragraphs from first to before end that two articles word the same or
// nearly the same, by pair. Only versions that go into the spin text take
// part: those of the third article's paragraphs that are not blank.
AlikeParagraphs findAlikeParagraphs(const CheckArticlesData& data, std::size_t first,
                                    std::size_t end, std::size_t budget) {
    AlikeParagraphs alike;
    WordingComparer comparer(budget);
    for (std::size_t p = first; p < end; ++p) {
        WordingComparer::Versions versions;
        for (std::size_t a = 0; a < kArticleCount; ++a) {
            if (const WordCount words = countOf(data, a, p); words > 0) {  // else blank
                versions[a] = {data.ArticleLines[a][p], std::size_t(words)};
            }
        }
        const auto likeness = comparer.compare(versions);
        for (std::size_t pair = 0; pair < kArticlePairs.size(); ++pair) {
            if (likeness[pair] == Likeness::Same) {
                alike.same[pair].add(p);
            } else if (likeness[pair] == Likeness::NearlySame) {
                alike.nearlySame[pair].add(p);
            }
        }
    }
    return alike;
}

// The same for all the paragraphs. Long articles are compared on two threads,
// each with a comparer of its own and about half the text, and their lists
// are joined in paragraph order; the articles are only read meanwhile.
//
// The comparers together take no more memory than the articles themselves
// (as 16-bit text), however long a paragraph is.
AlikeParagraphs findAlikeParagraphs(const CheckArticlesData& data) {
    // Below this many code units in all, a thread costs more than it saves.
    constexpr std::size_t kSharedFrom = std::size_t{1} << 18;
    const auto& driving = data.ArticleLines[kDrivingArticle];
    std::size_t units = 0;
    for (const std::u16string_view text : data.ArticleTexts) {
        units += text.size();
    }
    const std::size_t articleBytes = units * sizeof(char16_t);
    if (units < kSharedFrom || driving.size() < 2 || std::thread::hardware_concurrency() < 2) {
        return findAlikeParagraphs(data, 0, driving.size(), articleBytes);
    }

    // The second thread starts at the paragraph with half the third
    // article's text before it.
    const std::u16string_view text = data.ArticleTexts[kDrivingArticle];
    std::size_t half = 1;
    while (half + 1 < driving.size() &&
           2 * std::size_t(driving[half].data() - text.data()) < text.size()) {
        ++half;
    }
    std::future<AlikeParagraphs> later;
    try {
        later = std::async(std::launch::async, [&data, half, end = driving.size(), articleBytes] {
            return findAlikeParagraphs(data, half, end, articleBytes / 2);
        });
    } catch (const std::system_error&) {
        // No thread to be had.
        return findAlikeParagraphs(data, 0, driving.size(), articleBytes);
    }
    AlikeParagraphs alike = findAlikeParagraphs(data, 0, half, articleBytes / 2);
    const AlikeParagraphs rest = later.get();
    for (std::size_t pair = 0; pair < kArticlePairs.size(); ++pair) {
        alike.same[pair].append(rest.same[pair]);
        alike.nearlySame[pair].append(rest.nearlySame[pair]);
    }
    return alike;
}

}  // namespace

bool isBlank(std::u16string_view text) {
    return text.find_first_not_of(kSpace) == std::u16string_view::npos;
}

std::u16string_view CleanArticleText(std::u16string_view text) {
    // One pass gives what trimming and dropping the trailing breaks would give
    // if repeated until nothing changed, so a second click tidies nothing more.
    const auto isTail = [](char16_t unit) { return unit == kSpace || unit == kCr || unit == kLf; };
    std::size_t length = text.size();
    while (length > 0 && isTail(text[length - 1])) {
        --length;
    }
    text = text.substr(0, length);
    return text.substr(std::min(text.find_first_not_of(kSpace), text.size()));
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

bool isSpinMark(char16_t unit) {
    // Without short-circuits, so that the scan below can test many at once.
    return (unit == u'{') | (unit == u'}') | (unit == u'~');
}

ParagraphScan scanParagraph(std::u16string_view paragraph) {
    // A word starts at a character other than a space whose left neighbour is
    // a space. Judging each character from itself and its neighbour alone,
    // with narrow counters that are added up block by block, lets the compiler
    // look at many characters at once; the spin marks are found in the same
    // pass.
    if (paragraph.empty()) {
        return {};
    }
    const char16_t* units = paragraph.data();
    const std::size_t size = paragraph.size();
    constexpr std::size_t kBlock = 0xffff;  // a block's count fits 16 bits
    ParagraphScan scan{units[0] != kSpace, false};
    // Kept as a number: a flag would make the compiler test one unit at a time.
    std::uint16_t marks = isSpinMark(units[0]);
    for (std::size_t begin = 1; begin < size;) {
        const std::size_t end = size - begin > kBlock ? begin + kBlock : size;
        std::uint16_t starts = 0;
        for (std::size_t i = begin; i < end; ++i) {
            const char16_t unit = units[i];
            starts = std::uint16_t(starts + ((unit != kSpace) & (units[i - 1] == kSpace)));
            marks |= std::uint16_t(isSpinMark(unit));
        }
        scan.words += starts;
        begin = end;
    }
    scan.hasSpinMark = marks != 0;
    return scan;
}

WordCount countWords(std::u16string_view paragraph) {
    return scanParagraph(paragraph).words;
}

std::u16string paragraphListText(const ParagraphNumbers& paragraphs) {
    const auto shown = paragraphs.first();
    const std::size_t more = paragraphs.count() - shown.size();
    std::u16string text;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (i > 0) {
            text += more == 0 && i + 1 == shown.size() ? u" and " : u", ";
        }
        text += decimalText(WordCount(shown[i] + 1));
    }
    if (more > 0) {
        text += u" and " + decimalText(WordCount(more)) + u" more";
    }
    return text;
}

ReportNotes buildReportNotes(const CheckArticlesData& data) {
    ReportNotes notes;
    const std::size_t paragraphs = data.ArticleLines[kDrivingArticle].size();
    const auto article = [](std::size_t index) { return decimalText(WordCount(index + 1)); };
    // A note, with the paragraphs it names in the boxes it is about.
    const auto note = [&notes](std::u16string text, NoteKind kind) -> std::vector<ParagraphPlace>& {
        notes.texts.push_back(std::move(text));
        notes.places.push_back({kind, {}});
        return notes.places.back().places;
    };

    if (paragraphs == 0) {
        note(u"Article 3 is empty, so there is nothing to spin.", NoteKind::Spoils);
    }

    for (std::size_t a = 0; a < kArticleCount; ++a) {
        const ParagraphNumbers& marked = data.SpinMarkParagraphs[a];
        if (marked.empty()) {
            continue;
        }
        const bool one = marked.count() == 1;
        auto& places = note(u"Article " + article(a) + (one ? u": paragraph " : u": paragraphs ") +
                                paragraphListText(marked) + (one ? u" contains" : u" contain") +
                                u" {, } or ~, which break the spin text.",
                            NoteKind::Spoils);
        for (const std::size_t p : marked.all()) {
            places.push_back({a, p});
        }
    }

    // A group that some article fills and another leaves without its version.
    std::array<ParagraphNumbers, kArticleCount> missing;
    for (std::size_t p = 0; p < paragraphs; ++p) {
        std::array<bool, kArticleCount> offered{};
        bool anyOffered = false;
        for (std::size_t a = 0; a < kArticleCount; ++a) {
            offered[a] = countOf(data, a, p) > 0;  // a blank version has no words
            anyOffered = anyOffered || offered[a];
        }
        for (std::size_t a = 0; anyOffered && a < kArticleCount; ++a) {
            if (!offered[a]) {
                missing[a].add(p);
            }
        }
    }
    for (std::size_t a = 0; a < kArticleCount; ++a) {
        if (!missing[a].empty()) {
            auto& places = note(u"Article " + article(a) + u" gives no version for paragraph" +
                                    (missing[a].count() == 1 ? u" " : u"s ") +
                                    paragraphListText(missing[a]) + u".",
                                NoteKind::Spoils);
            // A blank line is found where it is; a paragraph past the end of
            // the article, beside the third article's.
            for (const std::size_t p : missing[a].all()) {
                places.push_back({hasParagraph(data, a, p) ? a : kDrivingArticle, p});
            }
        }
    }

    // Versions that would spin into copies of one another.
    const auto paired = [&](const std::u16string_view kind,
                            const std::array<ParagraphNumbers, kArticlePairs.size()>& found) {
        for (std::size_t pair = 0; pair < kArticlePairs.size(); ++pair) {
            const ParagraphNumbers& list = found[pair];
            if (list.empty()) {
                continue;
            }
            const auto [a, b] = kArticlePairs[pair];
            auto& places =
                note(u"Articles " + article(a) + u" and " + article(b) + u" give " +
                         std::u16string(kind) + u" wording of paragraph" +
                         (list.count() == 1 ? u" " : u"s ") + paragraphListText(list) + u".",
                     NoteKind::Alike);
            for (const std::size_t p : list.all()) {
                places.push_back({a, p});
                places.push_back({b, p});
            }
        }
    };
    const AlikeParagraphs alike = findAlikeParagraphs(data);
    paired(u"the same", alike.same);
    paired(u"nearly the same", alike.nearlySame);

    for (std::size_t a = 0; paragraphs > 0 && a < kDrivingArticle; ++a) {
        const std::size_t own = data.ArticleLines[a].size();
        if (own > paragraphs) {
            auto& places =
                note(u"Article " + article(a) + u" has " + decimalText(WordCount(own)) +
                         u" paragraphs and article 3 only " + decimalText(WordCount(paragraphs)) +
                         u": the rest of article " + article(a) + u" is left out.",
                     NoteKind::Spoils);
            for (std::size_t p = paragraphs; p < own; ++p) {
                places.push_back({a, p});
            }
        }
    }

    // A blank line in the third article still takes a paragraph number, so the
    // title and the introduction may not be the lines the user meant.
    std::vector<ParagraphPlace> blankLines;
    for (std::size_t p = 0; p + 1 < paragraphs; ++p) {
        if (countOf(data, kDrivingArticle, p) == 0) {
            blankLines.push_back({kDrivingArticle, p});
        }
    }
    if (!blankLines.empty()) {
        note(
            u"Blank lines count as paragraphs: the first line is the title, and the second is "
            u"left out of the minimum.",
            NoteKind::Spoils) = std::move(blankLines);
    }
    return notes;
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
    const std::size_t spinParagraphs = data.ArticleLines[kDrivingArticle].size();
    for (std::size_t article = 0; article < kArticleCount; ++article) {
        const auto& lines = data.ArticleLines[article];
        auto& counts = data.LineWordCounts[article];
        counts.resize(lines.size());
        WordCount total = 0;
        for (std::size_t p = 0; p < lines.size(); ++p) {
            const ParagraphScan scan = scanParagraph(lines[p]);
            counts[p] = scan.words;
            total += scan.words;
            // A paragraph with a mark is not blank, so it goes into the spin
            // text whenever the third article has a paragraph of its number.
            if (scan.hasSpinMark && p < spinParagraphs) {
                data.SpinMarkParagraphs[article].add(p);
            }
        }
        data.ArticleWordTotals[article] = total;
        window.setLabel3(static_cast<int>(article), u"Words: " + decimalText(total));
    }

    window.setText2(buildGrid(data));
    window.setGridParagraphs(data.GridParagraphs);

    data.MinimumTotal = 0;
    for (std::size_t p = kFirstSummedParagraph; p < data.LineMinimums.size(); ++p) {
        data.MinimumTotal += data.LineMinimums[p];
    }
    const std::u16string minimum = decimalText(data.MinimumTotal);
    window.setLabel3(3, u"Minimum words: " + minimum);
    ReportNotes notes = buildReportNotes(data);
    data.ReportNotes = std::move(notes.texts);
    data.ReportNotePlaces = std::move(notes.places);
    window.markReport(data.ReportNotePlaces);
    window.showReport(u"Minimum length = " + minimum + u" words", data.ReportNotes);
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
