#include "processing/check_articles.h"

#include <algorithm>

#include "processing/decimal_text.h"

namespace kestrelwick {

namespace {

constexpr char16_t kTab = u'\t';
constexpr std::u16string_view kLineBreak = u"\r\n";

// The grid, the paragraph of each of its lines and the minimum of each
// paragraph.
void buildGrid(const CountedArticles& articles, CheckResult& result) {
    const std::size_t paragraphs = articles.drivingParagraphs();
    result.paragraphMinimums.assign(paragraphs, 0);
    for (std::size_t p = kFirstGridParagraph; p < paragraphs; ++p) {
        WordCount minimum = 0;
        for (std::size_t article = 0; article < kArticleCount; ++article) {
            const WordCount count = articles.wordsOf(article, p);
            if (count == 0) {
                continue;
            }
            result.grid += decimalText(count);
            result.grid += kTab;
            if (minimum == 0 || count < minimum) {
                minimum = count;
            }
        }
        if (minimum != 0) {
            result.grid += kLineBreak;
            result.gridParagraphs.push_back(p);
        }
        result.paragraphMinimums[p] = minimum;
    }
}

// The shortest wording of every group from the first paragraph after the
// introduction, summed: the words of the shortest article the spin text
// gives.
WordCount shortestSpin(const SpinText& spin) {
    WordCount sum = 0;
    for (const SpinGroup& group : spin.groups()) {
        if (group.paragraph < kFirstSummedParagraph) {
            continue;
        }
        sum += *std::min_element(group.words.begin(), group.words.begin() + group.count);
    }
    return sum;
}

}  // namespace

CheckResult checkArticles(const ArticleTexts& texts, SpinFormat format, SpinBy by) {
    CheckResult result;
    result.articles = countArticles(texts, spinMarks(format).all());
    const CountedArticles& articles = result.articles;

    for (std::size_t article = 0; article < kArticleCount; ++article) {
        result.captions[article] = u"Words: " + decimalText(articles.articleWords[article]);
    }
    buildGrid(articles, result);
    WordCount byParagraph = 0;
    for (std::size_t p = kFirstSummedParagraph; p < result.paragraphMinimums.size(); ++p) {
        byParagraph += result.paragraphMinimums[p];
    }
    std::vector<UnevenParagraph> uneven;
    result.spinText = buildSpinText(articles, by, &uneven);
    // Every group can give its shortest version: by paragraph that is the
    // paragraph's minimum, by sentence it can be less.
    result.minimumLength = shortestSpin(result.spinText);
    const std::u16string minimum = decimalText(result.minimumLength);
    result.captions[kArticleCount] = u"Minimum words: " + minimum;
    result.message = u"Minimum length = " + minimum + u" words";
    if (result.minimumLength < byParagraph) {
        result.minimumLine = u"By paragraph the minimum would be " + decimalText(byParagraph) +
                             u" words: an article spun by sentence can take the shortest "
                             u"version of every sentence.";
    }
    const ParagraphComparison comparison = compareParagraphs(articles, result.spinText);
    result.notes = buildReportNotes(articles, comparison, spinMarksText(format), uneven);
    result.yield = spinYield(result.spinText, comparison.share);
    return result;
}

std::u16string CheckResult::reportText() const {
    std::u16string text = message;
    for (const std::u16string& line : {minimumLine, yield ? yield->line() : std::u16string()}) {
        if (!line.empty()) {
            text += u"\n" + line;
        }
    }
    return text;
}

}  // namespace kestrelwick
