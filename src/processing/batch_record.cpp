#include "processing/batch_record.h"

#include <algorithm>

#include "processing/decimal_text.h"

namespace kestrelwick {

namespace {

__extension__ using Wide = unsigned __int128;

// Beyond this span of the pairs' runs in all, the mean is summed pair by
// pair rather than by those totals.
constexpr std::uint64_t kMostTotals = std::uint64_t{1} << 16;
// Work between two questions whether to stop.
constexpr std::uint64_t kAskEvery = std::uint64_t{1} << 22;

std::u16string percent(const Share& share) {
    return decimalText(share.percent());
}

// A field of shares.csv, in quotes where it holds what would end it.
std::u16string field(const std::u16string& text) {
    if (text.find_first_of(u",\"\r\n") == std::u16string::npos) {
        return text;
    }
    std::u16string quoted = u"\"";
    for (const char16_t unit : text) {
        quoted += unit == u'"' ? u"\"\"" : std::u16string(1, unit);
    }
    return quoted + u"\"";
}

// Whether S1 / R1 is above S2 / R2, a share without runs being 0 / 1: pair
// counts fit in 32 bits, so the products fit in 64.
bool above(std::uint64_t s1, std::uint64_t r1, std::uint64_t s2, std::uint64_t r2) {
    return s1 * std::max<std::uint64_t>(r2, 1) > s2 * std::max<std::uint64_t>(r1, 1);
}

}  // namespace

std::u16string articleFileName(std::size_t number, std::size_t count) {
    std::u16string digits = decimalText(number);
    const std::size_t width = decimalText(count).size();
    if (digits.size() < width) {
        digits.insert(0, width - digits.size(), u'0');
    }
    return u"article-" + digits + u".txt";
}

std::u16string Batch::summary() const {
    std::u16string line = decimalText(articles.size());
    if (articles.empty() && maxShare) {
        line += u" articles: none found that shares at most " + decimalText(*maxShare) +
                u" % with the three you wrote";
    } else if (articles.empty()) {
        line += u" articles: the spin text gives none but the three you wrote";
    } else if (articles.size() == 1) {
        line += u" article: there is no second one to share its runs of four words";
    } else {
        line += u" articles: any two share at most " + decimalText(shares.highestPercent) +
                u" % of their runs of four words, on average " + decimalText(shares.meanPercent) +
                u" %";
    }
    if (!withWritten && !articles.empty()) {
        line += u"; with the three you wrote at most " + percent(writtenHighest) + u" %";
    }
    if (mayFindMore && maxShare) {
        line += u"; a longer search may find more within " + decimalText(*maxShare) + u" %";
    }
    return line + u". Seed " + decimalText(seed) + u".";
}

std::u16string Batch::sharesTable() const {
    std::u16string table = u"file,highest share %,shared most with";
    for (std::size_t w = 1; w <= kArticleCount; ++w) {
        table += u",written " + decimalText(w) + u" %";
    }
    table += u'\n';
    const std::size_t count = articles.size();
    for (std::size_t a = 0; a < count; ++a) {
        const ArticleShares& mine = each[a];
        table += field(articleFileName(a + 1, count));
        if (count > 1) {
            table += u',' + percent(mine.highest) + u',' +
                     field(articleFileName(mine.partner + 1, count));
        } else {
            table += u",,";
        }
        for (const Share& written : mine.written) {
            table += u',' + percent(written);
        }
        table += u'\n';
    }
    return table;
}

std::optional<Batch> measureBatch(const SpinChoices& choices, const std::vector<GroupRuns>& runs,
                                  std::vector<ArticleChoice> articles, BatchProgress* progress) {
    Batch batch;
    const std::size_t k = articles.size();
    batch.each.resize(k);
    // The groups with a choice, article by article in a column each, so that
    // a pass over the articles reads memory in order.
    std::vector<std::size_t> chosen;
    std::uint64_t fixedRuns = 0;
    for (std::size_t g = 0; g < runs.size(); ++g) {
        if (runs[g].alternatives() > 1) {
            chosen.push_back(g);
        } else {
            fixedRuns += runs[g].runs(0);
        }
    }
    std::vector<std::uint16_t> columns(chosen.size() * k);
    std::vector<std::uint64_t> own(k);
    std::array<ArticleChoice, kArticleCount> written;
    for (std::size_t w = 0; w < kArticleCount; ++w) {
        written[w] = choices.writtenArticle(w);
    }
    for (std::size_t a = 0; a < k; ++a) {
        own[a] = runsOf(runs, articles[a]);
        for (std::size_t c = 0; c < chosen.size(); ++c) {
            columns[c * k + a] = articles[a][chosen[c]];
        }
        for (std::size_t w = 0; w < kArticleCount; ++w) {
            batch.each[a].written[w] = shareOf(runs, articles[a], written[w]);
            if (batch.writtenHighest < batch.each[a].written[w]) {
                batch.writtenHighest = batch.each[a].written[w];
            }
        }
    }
    // The pairs' shared runs summed by the pairs' runs in all, where those
    // fall within a short span, so that the mean adds up each sum once.
    const auto [fewest, largest] = std::minmax_element(own.begin(), own.end());
    const std::uint64_t lowest = k == 0 ? 0 : 2 * *fewest;
    const bool byTotals = k > 0 && 2 * (*largest - *fewest) < kMostTotals;
    std::vector<Wide> sharedByTotal(byTotals ? 2 * (*largest - *fewest) + 1 : 0);
    std::vector<std::uint64_t> pairsByTotal(sharedByTotal.size());
    MeanShare mean;
    // Pair counts fit in 32 bits: an article is at most 256 Mi code units.
    // Each article's highest share so far, and with which, kept close.
    struct Most {
        std::uint32_t shared = 0;
        std::uint32_t runs = 0;
    };
    std::vector<std::uint32_t> shared(k);
    std::vector<Most> most(k);
    std::vector<std::uint32_t> partner(k);
    for (std::size_t a = 0; a < k; ++a) {
        partner[a] = std::uint32_t(a);
    }
    std::uint64_t sinceAsked = 0;
    for (std::size_t a = 0; a + 1 < k; ++a) {
        std::fill(shared.begin() + std::ptrdiff_t(a + 1), shared.end(), std::uint32_t(fixedRuns));
        for (std::size_t c = 0; c < chosen.size(); ++c) {
            const std::uint32_t* row = runs[chosen[c]].sharedWith(articles[a][chosen[c]]);
            const std::uint16_t* column = columns.data() + c * k;
            for (std::size_t b = a + 1; b < k; ++b) {
                shared[b] += row[column[b]];
            }
        }
        for (std::size_t b = a + 1; b < k; ++b) {
            const std::uint32_t both = std::uint32_t(own[a] + own[b]);
            // Ties go to the partner of the lowest number.
            if (partner[a] == a || above(shared[b], both, most[a].shared, most[a].runs)) {
                most[a] = {shared[b], both};
                partner[a] = std::uint32_t(b);
            }
            if (partner[b] == b || above(shared[b], both, most[b].shared, most[b].runs)) {
                most[b] = {shared[b], both};
                partner[b] = std::uint32_t(a);
            }
            if (byTotals) {
                sharedByTotal[both - lowest] += shared[b];
                ++pairsByTotal[both - lowest];
            } else {
                mean.add(both, shared[b], 1);
            }
        }
        sinceAsked += (k - a) * (chosen.size() + 1);
        if (sinceAsked > kAskEvery) {
            sinceAsked = 0;
            if (progress != nullptr && progress->cancelled()) {
                return std::nullopt;
            }
        }
    }
    for (std::size_t t = 0; t < sharedByTotal.size(); ++t) {
        if (pairsByTotal[t] > 0) {
            mean.add(lowest + t, sharedByTotal[t], pairsByTotal[t]);
        }
    }
    for (std::size_t a = 0; a < k; ++a) {
        batch.each[a].highest = {most[a].shared, most[a].runs};
        batch.each[a].partner = partner[a];
        if (k > 1 && batch.shares.highest < batch.each[a].highest) {
            batch.shares.highest = batch.each[a].highest;
        }
    }
    if (k > 1) {
        batch.shares.highestPercent = batch.shares.highest.percent();
        batch.shares.meanPercent = mean.percent();
    }
    batch.articles = std::move(articles);
    return batch;
}

}  // namespace kestrelwick
