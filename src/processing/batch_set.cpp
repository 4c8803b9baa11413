// The set of articles that the batch search works on: adding, changing and
// removing articles with the runs each pair shares kept up to date, and the
// first batch built as a code, one article at a time against those before
// it, or at random; each article one that neither the set nor the written
// articles hold.

#include <algorithm>

#include "processing/batch_search.h"

namespace kestrelwick {

namespace {

__extension__ using Wide = unsigned __int128;

// Where the written articles stand among the places of the articles.
constexpr std::size_t kWrittenPlace = std::size_t{1} << 62;

}  // namespace

BatchSearch::BatchSearch(const std::vector<GroupRuns>& runs,
                         const std::vector<ArticleChoice>& written, std::uint64_t keptArticles,
                         std::uint64_t seed, std::int64_t work, BatchProgress* progress)
    : runs_(runs),
      different_(keptArticles),
      random_(seed),
      keySeed_(mixBits(seed ^ 0x6a09e667f3bcc909u)),
      work_(work),
      progress_(progress),
      nextAsk_(work - kAskEvery),
      written_(written) {
    for (std::size_t g = 0; g < runs.size(); ++g) {
        if (runs[g].alternatives() > 1) {
            groups_.push_back(g);
        } else {
            fixedRuns_ += runs[g].runs(0);
        }
    }
    writtenCount_ = written.size();
    for (std::size_t w = 0; w < written.size(); ++w) {
        std::uint64_t own = fixedRuns_;
        for (const std::size_t g : groups_) {
            writtenChosen_.push_back(written[w][g]);
            own += runs[g].runs(written[w][g]);
        }
        writtenRuns_.push_back(own);
        byHash_.emplace(hashOf(writtenChosen_.data() + w * groups_.size()), kWrittenPlace + w);
    }
}

std::uint64_t BatchSearch::key(std::size_t group, std::uint16_t alternative) const {
    return mixBits(keySeed_ + ((std::uint64_t(group) << 16) | alternative) * 0x9e3779b97f4a7c15u);
}

std::uint64_t BatchSearch::hashOf(const std::uint16_t* choice) const {
    std::uint64_t hash = 0;
    for (std::size_t g = 0; g < groups_.size(); ++g) {
        hash ^= key(g, choice[g]);
    }
    return hash;
}

bool BatchSearch::taken(std::uint64_t hash, const std::uint16_t* choice, std::size_t skip) const {
    const std::size_t groups = groups_.size();
    for (auto [at, last] = byHash_.equal_range(hash); at != last; ++at) {
        const std::uint16_t* there =
            at->second >= kWrittenPlace
                ? writtenChosen_.data() + (at->second - kWrittenPlace) * groups
                : choice_.data() + at->second * groups;
        if (at->second != skip && std::equal(choice, choice + groups, there)) {
            return true;
        }
    }
    return false;
}

void BatchSearch::reserve(std::size_t articles) {
    if (articles <= capacity_) {
        return;
    }
    const std::size_t capacity = std::max(articles, 2 * capacity_);
    std::vector<std::uint32_t> shared(capacity * capacity, 0);
    for (std::size_t a = 0; a < articles_; ++a) {
        std::copy_n(shared_.data() + a * capacity_, articles_, shared.data() + a * capacity);
    }
    shared_.swap(shared);
    capacity_ = capacity;
}

void BatchSearch::push(const std::vector<std::uint16_t>& choice) {
    reserve(articles_ + 1);
    const std::size_t k = articles_;
    const std::size_t groups = groups_.size();
    choice_.insert(choice_.end(), choice.begin(), choice.end());
    std::uint64_t own = fixedRuns_;
    for (std::size_t g = 0; g < groups; ++g) {
        own += runs_[groups_[g]].runs(choice[g]);
    }
    runsOf_.push_back(own);
    for (std::size_t y = 0; y < k + writtenCount_; ++y) {
        const std::uint16_t* theirs =
            y < k ? choice_.data() + y * groups : writtenChosen_.data() + (y - k) * groups;
        std::uint64_t shared = fixedRuns_;
        for (std::size_t g = 0; g < groups; ++g) {
            shared += runs_[groups_[g]].shared(choice[g], theirs[g]);
        }
        if (y < k) {
            pair(k, y) = std::uint32_t(shared);
            pair(y, k) = std::uint32_t(shared);
        } else {
            sharedWritten_.push_back(std::uint32_t(shared));
        }
    }
    pair(k, k) = std::uint32_t(own);
    hash_.push_back(hashOf(choice.data()));
    byHash_.emplace(hash_.back(), k);
    ++articles_;
    spend(std::int64_t(groups * (k + writtenCount_ + 1)));
}

void BatchSearch::removeLast() {
    const std::size_t last = --articles_;
    for (auto [at, end] = byHash_.equal_range(hash_[last]); at != end; ++at) {
        if (at->second == last) {
            byHash_.erase(at);
            break;
        }
    }
    hash_.pop_back();
    runsOf_.pop_back();
    choice_.resize(articles_ * groups_.size());
    sharedWritten_.resize(articles_ * writtenCount_);
}

void BatchSearch::move(std::size_t article, std::size_t group, std::uint16_t alternative) {
    const GroupRuns& runs = runs_[groups_[group]];
    const std::uint16_t old = at(article, group);
    if (keepChanges_) {
        sinceBest_.push_back({article, group, old});
    }
    for (std::size_t y = 0; y < articles_; ++y) {
        if (y != article) {
            const std::uint16_t theirs = at(y, group);
            const std::uint64_t shared =
                pair(article, y) - runs.shared(old, theirs) + runs.shared(alternative, theirs);
            pair(article, y) = std::uint32_t(shared);
            pair(y, article) = std::uint32_t(shared);
        }
    }
    for (std::size_t w = 0; w < writtenCount_; ++w) {
        const std::uint16_t theirs = writtenChosen_[w * groups_.size() + group];
        std::uint32_t& shared = sharedWritten_[article * writtenCount_ + w];
        shared = shared - runs.shared(old, theirs) + runs.shared(alternative, theirs);
    }
    runsOf_[article] = runsOf_[article] - runs.runs(old) + runs.runs(alternative);
    pair(article, article) = std::uint32_t(runsOf_[article]);
    for (auto [at, end] = byHash_.equal_range(hash_[article]); at != end; ++at) {
        if (at->second == article) {
            byHash_.erase(at);
            break;
        }
    }
    hash_[article] ^= key(group, old) ^ key(group, alternative);
    byHash_.emplace(hash_[article], article);
    at(article, group) = alternative;
}

void BatchSearch::makeUnique(std::vector<std::uint16_t>& choice) {
    const std::size_t groups = groups_.size();
    // A few changes at random find a new article at once unless the batch
    // holds most of those the text gives.
    for (int attempt = 0; attempt < 64 && taken(hashOf(choice.data()), choice.data(), articles_);
         ++attempt) {
        const std::size_t g = random_.below(groups);
        choice[g] = std::uint16_t(random_.below(runs_[groups_[g]].alternatives()));
    }
    if (!taken(hashOf(choice.data()), choice.data(), articles_)) {
        return;
    }
    // Otherwise the articles in turn from a random one, counted as numbers
    // with a digit per group: fewer are in the batch than there are.
    std::uint64_t number = random_.next() % different_;
    for (;; number = (number + 1) % different_) {
        std::uint64_t rest = number;
        for (std::size_t g = 0; g < groups; ++g) {
            const std::size_t count = runs_[groups_[g]].alternatives();
            choice[g] = std::uint16_t(rest % count);
            rest /= count;
        }
        if (!taken(hashOf(choice.data()), choice.data(), articles_)) {
            return;
        }
    }
}

void BatchSearch::addRandom() {
    std::vector<std::uint16_t> choice(groups_.size());
    for (std::size_t g = 0; g < groups_.size(); ++g) {
        choice[g] = std::uint16_t(random_.below(runs_[groups_[g]].alternatives()));
    }
    makeUnique(choice);
    push(choice);
}

void BatchSearch::add(const ArticleChoice& article) {
    std::vector<std::uint16_t> choice(groups_.size());
    for (std::size_t g = 0; g < groups_.size(); ++g) {
        choice[g] = article[groups_[g]];
    }
    makeUnique(choice);
    push(choice);
}

void BatchSearch::addCoded(std::size_t count) {
    // The code's articles in turn, but for those taken (the written ones),
    // in place of which the next ones come; past the code's end, any.
    const LinearCode code = linearCodeOf(runs_, groups_, written_, count + writtenCount_, random_);
    std::vector<std::uint16_t> choice(groups_.size());
    const std::size_t target = articles_ + count;
    for (std::size_t t = 0; articles_ < target && !cancelled_; ++t) {
        code.article(t, choice.data());
        if (t >= count + writtenCount_) {
            makeUnique(choice);
        } else if (taken(hashOf(choice.data()), choice.data(), articles_)) {
            continue;
        }
        push(choice);
    }
}

void BatchSearch::addSpread() {
    const std::size_t k = articles_;
    const std::size_t groups = groups_.size();
    std::int64_t cost = 0;
    for (const std::size_t g : groups_) {
        cost += std::int64_t(runs_[g].alternatives() * (k + writtenCount_));
    }
    if (k + writtenCount_ == 0 || cost > work_ / 2) {
        addRandom();
        return;
    }
    // Group by group, the alternative that adds least to the sum of the
    // squares of what the new article shares with each earlier one and each
    // written one; ties go to any of them alike.
    const std::size_t others = k + writtenCount_;
    std::vector<std::uint64_t> sharedSoFar(others, fixedRuns_);
    std::vector<std::uint16_t> choice(groups);
    const auto theirs = [&](std::size_t y, std::size_t g) {
        return y < k ? at(y, g) : writtenChosen_[(y - k) * groups + g];
    };
    for (std::size_t g = 0; g < groups; ++g) {
        const GroupRuns& group = runs_[groups_[g]];
        Wide least = 0;
        std::size_t ties = 0;
        for (std::uint16_t alternative = 0; alternative < group.alternatives(); ++alternative) {
            Wide added = 0;
            for (std::size_t y = 0; y < others; ++y) {
                const std::uint64_t more = group.shared(alternative, theirs(y, g));
                added += Wide(more) * (2 * Wide(sharedSoFar[y]) + more);
            }
            if (ties == 0 || added < least) {
                least = added;
                ties = 1;
                choice[g] = alternative;
            } else if (added == least && random_.below(++ties) == 0) {
                choice[g] = alternative;
            }
        }
        for (std::size_t y = 0; y < others; ++y) {
            sharedSoFar[y] += group.shared(choice[g], theirs(y, g));
        }
    }
    spend(cost);
    makeUnique(choice);
    push(choice);
}

BatchSearch::Saved BatchSearch::save() const {
    return Saved{choice_, runsOf_, shared_, sharedWritten_, hash_, articles_, capacity_};
}

void BatchSearch::restore(const Saved& saved) {
    choice_ = saved.choice;
    runsOf_ = saved.runsOf;
    shared_ = saved.shared;
    sharedWritten_ = saved.sharedWritten;
    hash_ = saved.hash;
    articles_ = saved.articles;
    capacity_ = saved.capacity;
    std::erase_if(byHash_, [](const auto& entry) { return entry.second < kWrittenPlace; });
    for (std::size_t a = 0; a < articles_; ++a) {
        byHash_.emplace(hash_[a], a);
    }
}

}  // namespace kestrelwick
