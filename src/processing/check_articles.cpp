#include "processing/check_articles.h"

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

}  // namespace

CheckResult checkArticles(const ArticleTexts& texts, SpinFormat format) {
    CheckResult result;
    result.articles = countArticles(texts, spinMarks(format).all());
    const CountedArticles& articles = result.articles;

    for (std::size_t article = 0; article < kArticleCount; ++article) {
        result.captions[article] = u"Words: " + decimalText(articles.articleWords[article]);
    }
    buildGrid(articles, result);
    for (std::size_t p = kFirstSummedParagraph; p < result.paragraphMinimums.size(); ++p) {
        result.minimumLength += result.paragraphMinimums[p];
    }
    const std::u16string minimum = decimalText(result.minimumLength);
    result.captions[kArticleCount] = u"Minimum words: " + minimum;
    result.message = u"Minimum length = " + minimum + u" words";
    const ParagraphComparison comparison = compareParagraphs(articles);
    result.notes = buildReportNotes(articles, comparison, spinMarksText(format));
    result.spinText = buildSpinText(articles);
    result.yield = spinYield(result.spinText, comparison.share);
    return result;
}

std::u16string CheckResult::reportText() const {
    return yield ? message + u"\n" + yield->line() : message;
}

}  // namespace kestrelwick
