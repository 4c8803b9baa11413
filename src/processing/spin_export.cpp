#include "processing/spin_export.h"

#include <new>

#include "processing/decimal_text.h"

namespace kestrelwick {

namespace {

ExportOutcome refused(Refusal refusal) {
    return {ExportOutcome::Kind::Refused, {}, std::move(refusal)};
}

// The groups as a batch of count chooses from them: the first of each
// group's different alternatives, as many as a batch of that size needs.
SpinChoices keptFor(const SpinChoices& all, std::uint64_t count) {
    const std::size_t keep = alternativesToKeep(count);
    SpinChoices kept = all;
    for (SpinChoices::Group& group : kept.groups) {
        if (group.alternatives.size() > keep) {
            group.alternatives.resize(keep);
        }
    }
    return kept;
}

Refusal tooFew(std::uint64_t articles, std::uint64_t available, std::uint64_t count) {
    std::u16string text = u"the spin text gives only " + decimalText(articles) + u" different " +
                          (articles == 1 ? u"article" : u"articles");
    if (available < articles) {
        const std::uint64_t written = articles - available;
        text += u", and " + decimalText(written) +
                (written == 1 ? u" of them is" : u" of them are") + u" the articles you wrote: " +
                decimalText(available) + (available == 1 ? u" is" : u" are") + u" left";
    }
    return {Refusal::Kind::TooFewArticles,
            text + u", fewer than the " + decimalText(count) + u" asked for."};
}

}  // namespace

std::u16string mostArticlesReason() {
    return u"a batch is at most " + decimalText(kMostArticlesInABatch) +
           u" articles: every pair of them is measured, and each is a file of its own.";
}

ExportOutcome exportSpunArticles(const SpinSource& spin, const BatchRequest& request,
                                 ExportProgress& progress, ArticleWriter& writer) {
    try {
        const std::uint64_t count = request.count;
        if (count == 0 || count > kMostArticlesInABatch) {
            return refused({Refusal::Kind::CountTooLarge, mostArticlesReason()});
        }
        const std::uint64_t articles = spin.choices().articles();
        if (const std::uint64_t available = availableArticles(spin.choices(), request.withWritten);
            count > available) {
            return refused(tooFew(articles, available, count));
        }
        // A file in the way is told before any time goes into choosing.
        if (!request.maxShare) {
            if (auto inTheWay = writer.check(std::size_t(count))) {
                return refused(std::move(*inTheWay));
            }
        }
        const SpinChoices choices = keptFor(spin.choices(), count);
        const std::vector<GroupRuns> runs = countGroupRuns(choices);
        const std::optional<Batch> batch = chooseBatch(choices, runs, request, &progress);
        if (!batch) {
            return {ExportOutcome::Kind::Cancelled, {}, {}};
        }
        if (batch->articles.empty()) {
            // Only a share limit leaves none: every article shares more than
            // it with one the user wrote.
            return refused({Refusal::Kind::TooFewArticles,
                            u"no article the spin text gives shares at most " +
                                decimalText(request.maxShare.value_or(100)) +
                                u" % of its runs of four words with each of the three articles "
                                u"you wrote, so none was written."});
        }
        if (!request.maxShare && batch->articles.size() < count) {
            // Choices that spell the same article are one article.
            return refused({Refusal::Kind::TooFewArticles,
                            u"only " + decimalText(batch->articles.size()) +
                                u" of the articles the spin text gives read differently, fewer "
                                u"than the " +
                                decimalText(count) + u" asked for."});
        }
        const std::size_t total = batch->articles.size();
        for (std::size_t n = 1; n <= total; ++n) {
            if (auto failed = writer.write(n, total, choices.article(batch->articles[n - 1]))) {
                return refused(std::move(*failed));
            }
            progress.written(n, total);
            if (progress.cancelled()) {
                return {ExportOutcome::Kind::Cancelled, {}, {}};
            }
        }
        if (auto failed = writer.writeRecord(batch->sharesTable())) {
            return refused(std::move(*failed));
        }
        if (auto failed = writer.finish()) {
            return refused(std::move(*failed));
        }
        return {ExportOutcome::Kind::Written, batch->summary(), {}};
    } catch (const std::bad_alloc&) {
        return refused({Refusal::Kind::NoMemory, u"not enough memory to spin this text"});
    }
}

}  // namespace kestrelwick
