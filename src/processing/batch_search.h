#pragma once

// The search behind a batch of articles (processing/article_batch.h): a set
// of different articles of one spin text, the runs each pair of them
// shares, and the moves that build and improve the set.
//
// Only the groups with more than one alternative are chosen in; a group
// with one adds the same runs to every article and every pair. The set and
// the first batch are in batch_set.cpp, the search itself in
// batch_search.cpp. Shares are
// worked out in floating point only to steer the search; what the batch
// reports is exact.

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "processing/article_share.h"
#include "processing/spin_choices.h"
#include "processing/spin_random.h"

namespace kestrelwick {

// Told how a long choice goes, and asked whether to stop.
class BatchProgress {
  public:
    virtual ~BatchProgress() = default;
    // Whether the choice is to stop; asked every few milliseconds.
    virtual bool cancelled() { return false; }
};

class BatchSearch {
  public:
    // work: how many steps of work the search may take in all.
    BatchSearch(const SpinChoices& choices, const std::vector<GroupRuns>& runs, std::uint64_t seed,
                std::int64_t work, BatchProgress* progress);

    std::size_t size() const { return articles_; }
    // Whether the user has asked to stop, or the work is spent.
    bool cancelled() const { return cancelled_; }
    bool workLeft() const { return work_ > 0; }

    // Adds count articles of a linear code over the alternatives of each
    // group, which agree in as few groups as the code allows and in about
    // the same number for every pair.
    void addCoded(std::size_t count);
    // Adds an article that adds least to what the batch shares, or a random
    // one where that would cost more work than is left.
    void addSpread();
    // Adds a random article of its own.
    void addRandom();
    void removeLast();

    // Searches until the work is spent, no two share anything, or (with a
    // limit) no two share more than the limit; returns whether the limit
    // was reached. Keeps the best set it finds.
    bool improve(std::optional<int> limitPercent);

    // Whether no two share more than the limit, exactly.
    bool within(int limitPercent) const;

    // The articles, each a choice for every group of the text.
    std::vector<ArticleChoice> articles() const;
    // What the articles share, from the runs the search keeps.
    SetShares measured() const;

  private:
    // Work between two questions whether to stop.
    static constexpr std::int64_t kAskEvery = std::int64_t{1} << 20;

    struct Score {
        double highest = 0;
        std::size_t atHighest = 0;
        double squares = 0;
        double sum = 0;
        // Counts the share of one more pair.
        void add(double share);
        bool operator<(const Score& other) const;
    };
    struct Saved;

    std::uint16_t& at(std::size_t article, std::size_t group) {
        return choice_[article * groups_.size() + group];
    }
    std::uint16_t at(std::size_t article, std::size_t group) const {
        return choice_[article * groups_.size() + group];
    }
    std::uint64_t& pair(std::size_t a, std::size_t b) { return shared_[a * capacity_ + b]; }
    std::uint64_t pair(std::size_t a, std::size_t b) const { return shared_[a * capacity_ + b]; }
    double share(std::size_t a, std::size_t b) const;

    std::uint64_t key(std::size_t group, std::uint16_t alternative) const;
    bool taken(std::uint64_t hash, const std::uint16_t* choice, std::size_t skip) const;
    void push(const std::vector<std::uint16_t>& choice);
    void makeUnique(std::vector<std::uint16_t>& choice);
    void move(std::size_t article, std::size_t group, std::uint16_t alternative);
    void reserve(std::size_t articles);
    Score score() const;
    bool spend(std::int64_t steps);
    // Puts the set back as it was when saved.
    void restore(const Saved& saved);
    bool step(Score& current);

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

    std::size_t articles_ = 0;
    std::size_t capacity_ = 0;
    std::vector<std::uint16_t> choice_;  // articles_ x groups_
    std::vector<std::uint64_t> runsOf_;  // of each article
    std::vector<std::uint64_t> shared_;  // capacity_ x capacity_
    std::vector<std::uint64_t> hash_;    // of each article's choice
    std::unordered_multimap<std::uint64_t, std::size_t> byHash_;
};

}  // namespace kestrelwick
