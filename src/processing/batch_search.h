#pragma once

// The search behind a batch of articles (processing/article_batch.h): a set
// of different articles of one spin text, the runs each pair of them
// shares, and the moves that build and improve the set.
//
// Only the groups with more than one alternative are chosen in; a group
// with one adds the same runs to every article and every pair. The written
// articles, where the batch keeps apart from them, are never in the set,
// and what each article shares with them is kept beside the pairs. The set
// and the first batch are in batch_set.cpp, the search itself in
// batch_search.cpp, growing the set within a limit in batch_growth.cpp.
// Shares are worked out in floating point only to steer the search (the
// same on every system: no fused multiply-add); what the batch reports is
// exact.
//
// What the search lowers, in this order: the highest share of two articles
// of the set, the number of pairs at it, the highest share of an article
// with a written one, the number at that, and the sum of the squares of all
// shares of the set, which spreads what is shared over the pairs.

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "processing/article_share.h"
#include "processing/batch_progress.h"
#include "processing/linear_code.h"
#include "processing/spin_choices.h"
#include "processing/spin_random.h"

namespace kestrelwick {

class BatchSearch {
  public:
    // written: the articles to keep apart from (none where the written
    // articles are chosen like any other); work: how many steps of work the
    // search may take in all.
    BatchSearch(const std::vector<GroupRuns>& runs, const std::vector<ArticleChoice>& written,
                std::uint64_t keptArticles, std::uint64_t seed, std::int64_t work,
                BatchProgress* progress);

    std::size_t size() const { return articles_; }
    // Whether the user has asked to stop.
    bool cancelled() const { return cancelled_; }
    bool workLeft() const { return work_ > 0 && !cancelled_; }

    // Adds count articles of a linear code (processing/linear_code.h).
    void addCoded(std::size_t count);
    // Adds an article that adds least to what the batch shares, or a random
    // one where that would cost more work than is left.
    void addSpread();
    // Adds a random article of its own.
    void addRandom();
    // Adds the given article, made new where the set or the written
    // articles hold it.
    void add(const ArticleChoice& article);
    void removeLast();

    // Searches until the work is spent, nothing is shared, or (with a limit)
    // no two share more than the limit; returns whether the limit was
    // reached. Keeps the best set it finds.
    bool improve(std::optional<int> limitPercent);
    // Changes only the last article, until it shares at most the limit with
    // every other and with the written ones; returns whether it does.
    bool placeLast(int limitPercent);
    // Adds the articles of a linear code for count articles, in turn, and
    // then every article the text gives, in turn from a random one, each
    // where it is new and shares at most the limit with every other and
    // with the written ones, until the set holds count (batch_growth.cpp).
    void addCodedWithin(std::size_t count, int limitPercent);
    void addEveryWithin(std::size_t count, int limitPercent);

    // Whether no two share more than the limit, nor an article with a
    // written one, exactly.
    bool within(int limitPercent) const;

    // The articles, each a choice for every group of the text.
    std::vector<ArticleChoice> articles() const;

    // The set as it is, to go back to.
    struct Saved;
    Saved save() const;
    void restore(const Saved& saved);

  private:
    // Work between two questions whether to stop.
    static constexpr std::int64_t kAskEvery = std::int64_t{1} << 20;

    struct Score {
        double highest = 0;
        std::size_t atHighest = 0;
        double written = 0;
        std::size_t atWritten = 0;
        double squares = 0;
        // Counts the share of one more pair of the set, or of an article
        // with a written one.
        void add(double share);
        void addWritten(double share);
        // Both at once: the highest and their counts, the squares summed.
        static Score merged(const Score& a, const Score& b);
        bool operator<(const Score& other) const;
    };

    std::uint16_t& at(std::size_t article, std::size_t group) {
        return choice_[article * groups_.size() + group];
    }
    std::uint16_t at(std::size_t article, std::size_t group) const {
        return choice_[article * groups_.size() + group];
    }
    std::uint32_t& pair(std::size_t a, std::size_t b) { return shared_[a * capacity_ + b]; }
    std::uint32_t pair(std::size_t a, std::size_t b) const { return shared_[a * capacity_ + b]; }
    double share(std::size_t a, std::size_t b) const;
    double writtenShare(std::size_t a, std::size_t w) const;
    // What a changed article would share: with shared runs of its own.
    static double shareOf(std::uint64_t shared, std::uint64_t runs) {
        return runs == 0 ? 0.0 : 2.0 * double(shared) / double(runs);
    }

    std::uint64_t key(std::size_t group, std::uint16_t alternative) const;
    std::uint64_t hashOf(const std::uint16_t* choice) const;
    bool taken(std::uint64_t hash, const std::uint16_t* choice, std::size_t skip) const;
    void push(const std::vector<std::uint16_t>& choice);
    void makeUnique(std::vector<std::uint16_t>& choice);
    void move(std::size_t article, std::size_t group, std::uint16_t alternative);
    void reserve(std::size_t articles);
    Score score() const;
    bool spend(std::int64_t steps);
    // The groups a step tries for an article: where it shares with its
    // partner, and a few others.
    std::vector<std::size_t> groupsToTry(std::size_t article, const std::uint16_t* partner);
    bool step(Score& current);
    // How far the last article is from the limit: its shares above it, and
    // its highest share.
    // Whether an article of the given choice (groups_ only) is new and
    // shares at most the limit with every other and the written ones.
    bool fits(const std::vector<std::uint16_t>& choice, int limitPercent);
    std::pair<std::size_t, double> overLimit(std::size_t group, std::uint16_t alternative,
                                             double limit) const;

    const std::vector<GroupRuns>& runs_;
    std::vector<std::size_t> groups_;  // of the text, with more than one alternative
    std::uint64_t fixedRuns_ = 0;      // of the groups with one
    std::uint64_t different_ = 1;      // articles of the kept alternatives, or more than 2^64 - 1
    SpinRandom random_;
    std::uint64_t keySeed_;
    std::int64_t work_;
    BatchProgress* progress_;
    std::int64_t nextAsk_ = 0;
    bool cancelled_ = false;

    // The written articles kept apart from: their choices, and over
    // groups_ only, and their runs.
    std::vector<ArticleChoice> written_;
    std::vector<std::uint16_t> writtenChosen_;
    std::vector<std::uint64_t> writtenRuns_;
    std::size_t writtenCount_ = 0;

    std::size_t articles_ = 0;
    std::size_t capacity_ = 0;
    std::vector<std::uint16_t> choice_;         // articles_ x groups_
    std::vector<std::uint64_t> runsOf_;         // of each article
    std::vector<std::uint32_t> shared_;         // capacity_ x capacity_
    std::vector<std::uint32_t> sharedWritten_;  // articles_ x writtenCount_
    std::vector<std::uint64_t> hash_;           // of each article's choice
    std::unordered_multimap<std::uint64_t, std::size_t> byHash_;

    // The changes since the best set the search has seen, to go back to it.
    struct Change {
        std::size_t article;
        std::size_t group;
        std::uint16_t alternative;  // the one before
    };
    std::vector<Change> sinceBest_;
    bool keepChanges_ = false;
    void goBack();
    // The groups of a step: where the pair shares, and the others.
    std::vector<std::size_t> sharing_;
    std::vector<std::size_t> rest_;
};

struct BatchSearch::Saved {
    std::vector<std::uint16_t> choice;
    std::vector<std::uint64_t> runsOf;
    std::vector<std::uint32_t> shared;
    std::vector<std::uint32_t> sharedWritten;
    std::vector<std::uint64_t> hash;
    std::size_t articles = 0;
    std::size_t capacity = 0;
};

}  // namespace kestrelwick
