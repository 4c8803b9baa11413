#pragma once

// Plain computations that the fuzz target checks the engine against: words
// and runs of four words as lists and sets, the spin text read back by a
// parser of its own, the notes on alike wordings, the share of runs two
// spun articles repeat, and sentences and the groups by sentence. Slow and
// obvious on purpose.

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "processing/check_articles.h"

namespace kestrelwick::plain {

using kestrelwick::CheckResult;

// Words as the user counts them: runs of characters other than the space.
inline std::int64_t wordsIn(std::u16string_view text) {
    std::int64_t words = 0;
    bool inWord = false;
    for (const char16_t c : text) {
        words += (c != u' ' && !inWord) ? 1 : 0;
        inWord = c != u' ';
    }
    return words;
}

inline bool braceFree(const std::u16string& text) {
    return text.find_first_of(u"{}") == std::u16string::npos;
}

using Group = std::vector<std::u16string_view>;

// Reads spin text as article services do: groups of alternatives between "{"
// and "}", separated by "~", with nothing but line breaks between groups and
// no group inside another. Gives nothing when the text is not of that form.
inline std::optional<std::vector<Group>> parseSpinText(std::u16string_view text) {
    std::vector<Group> groups;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            ++i;
            continue;
        }
        if (text[i] != u'{') {
            return std::nullopt;
        }
        Group group;
        std::size_t start = ++i;
        for (;; ++i) {
            if (i == text.size() || text[i] == u'{') {
                return std::nullopt;
            }
            if (text[i] == u'~' || text[i] == u'}') {
                group.push_back(text.substr(start, i - start));
                start = i + 1;
            }
            if (text[i] == u'}') {
                break;
            }
        }
        groups.push_back(std::move(group));
        ++i;
    }
    return groups;
}

inline bool notBlank(std::u16string_view text) {
    return text.find_first_not_of(u' ') != std::u16string_view::npos;
}

using Words = std::vector<std::u16string_view>;

inline Words wordList(std::u16string_view text) {
    Words words;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == u' ') {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < text.size() && text[i] != u' ') {
            ++i;
        }
        words.push_back(text.substr(start, i - start));
    }
    return words;
}

inline std::set<Words> fourWordRuns(const Words& words) {
    if (words.size() < 4) {
        return {words};
    }
    std::set<Words> runs;
    for (std::size_t i = 0; i + 4 <= words.size(); ++i) {
        runs.insert(
            Words(words.begin() + std::ptrdiff_t(i), words.begin() + std::ptrdiff_t(i + 4)));
    }
    return runs;
}

// The notes on the same and nearly the same wording, worked out plainly from
// word lists and sets of runs, in the order the report gives them.
// The notes on alike wordings, and the paragraphs each names in both boxes.
struct AlikeNotes {
    std::vector<std::u16string> texts;
    std::vector<std::vector<kestrelwick::ParagraphPlace>> places;
};

inline AlikeNotes wordingNotes(const CheckResult& result) {
    const auto& paragraphs = result.articles.paragraphs;
    constexpr std::array<std::pair<std::size_t, std::size_t>, 3> kPairs = {
        {{0, 1}, {0, 2}, {1, 2}}};
    std::array<kestrelwick::ParagraphNumbers, 3> same;
    std::array<kestrelwick::ParagraphNumbers, 3> near;
    for (std::size_t p = 0; p < paragraphs[2].size(); ++p) {
        for (std::size_t pair = 0; pair < kPairs.size(); ++pair) {
            const auto& a = paragraphs[kPairs[pair].first];
            const auto& b = paragraphs[kPairs[pair].second];
            if (p >= a.size() || p >= b.size() || !notBlank(a[p]) || !notBlank(b[p])) {
                continue;
            }
            const Words wordsA = wordList(a[p]);
            const Words wordsB = wordList(b[p]);
            if (wordsA == wordsB) {
                same[pair].add(p);
                continue;
            }
            const auto runsA = fourWordRuns(wordsA);
            const auto runsB = fourWordRuns(wordsB);
            std::size_t shared = 0;
            for (const auto& run : runsA) {
                shared += runsB.count(run);
            }
            if (4 * shared >= 3 * (runsA.size() + runsB.size() - shared)) {
                near[pair].add(p);
            }
        }
    }
    AlikeNotes notes;
    for (const auto* found : {&same, &near}) {
        for (std::size_t pair = 0; pair < kPairs.size(); ++pair) {
            const auto& list = (*found)[pair];
            if (list.empty()) {
                continue;
            }
            std::vector<kestrelwick::ParagraphPlace> places;
            for (const std::size_t p : list.all()) {
                places.push_back({kPairs[pair].first, p});
                places.push_back({kPairs[pair].second, p});
            }
            notes.places.push_back(std::move(places));
            notes.texts.push_back(
                u"Articles " +
                kestrelwick::decimalText(kestrelwick::WordCount(kPairs[pair].first + 1)) +
                u" and " +
                kestrelwick::decimalText(kestrelwick::WordCount(kPairs[pair].second + 1)) +
                (found == &same ? u" give the same" : u" give nearly the same") +
                u" wording of paragraph" + (list.count() == 1 ? u" " : u"s ") +
                kestrelwick::paragraphListText(list) + u".");
        }
    }
    return notes;
}

// The share of runs that two spun articles repeat, worked out plainly from
// sets of runs: over the groups, the expected runs two picks share and the
// expected runs of one pick, each scaled by 36.
inline int plainSharePercent(const CheckResult& result) {
    std::uint64_t shared = 0;
    std::uint64_t runs = 0;
    for (const kestrelwick::SpinGroup& group : result.spinText.groups()) {
        std::vector<std::set<Words>> sets;
        for (std::size_t k = 0; k < group.count; ++k) {
            sets.push_back(fourWordRuns(wordList(group.version(k))));
        }
        const std::uint64_t n = sets.size();
        std::uint64_t both = 0;
        std::uint64_t own = 0;
        for (const auto& a : sets) {
            own += a.size();
            for (const auto& b : sets) {
                for (const auto& run : a) {
                    both += b.count(run);
                }
            }
        }
        shared += both * (36 / (n * n));
        runs += own * (36 / n);
    }
    return runs == 0 ? 0 : int((200 * shared + runs) / (2 * runs));
}

// Sentences as the rule reads, a character at a time: an end is a run of
// . ! ? or … with the closing quotes and brackets after it, where spaces and
// a word follow that does not start with a lower-case letter (after opening
// quotes and brackets), and the run is not one full stop after a listed
// abbreviation or after initials.
inline std::vector<std::u16string_view> sentencesIn(std::u16string_view text) {
    const auto is = [](char16_t c, std::u16string_view set) {
        return set.find(c) != std::u16string_view::npos;
    };
    const std::u16string_view ends = u".!?\u2026";
    const std::u16string_view closing = u"\"')]\u201d\u2019\u00bb";
    const std::u16string_view opening = u"\"'([\u201c\u2018\u201e\u00ab\u00bf\u00a1";
    const auto lower = [](char16_t c) {
        if (c >= 0x100 && c <= 0x17f) {
            const bool capitalFirst = (c >= 0x100 && c <= 0x137) || (c >= 0x14a && c <= 0x177);
            const bool capitalOdd = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17e);
            return capitalFirst ? c % 2 == 1 : capitalOdd ? c % 2 == 0 : c != 0x178;
        }
        return (c >= u'a' && c <= u'z') || (c >= 0xdf && c <= 0xff && c != 0xf7) ||
               (c >= 0x3ac && c <= 0x3ce) || (c >= 0x430 && c <= 0x45f);
    };
    const auto letter = [&lower](char16_t c) {
        return lower(c) || (c >= u'A' && c <= u'Z') || (c >= 0xc0 && c <= 0xde && c != 0xd7) ||
               (c >= 0x100 && c <= 0x17f) || c == 0x386 || (c >= 0x388 && c <= 0x3ab) ||
               (c >= 0x400 && c <= 0x42f);
    };
    const auto notEnding = [&](std::u16string_view word) {
        bool initials = !word.empty() && word.size() % 2 == 0;
        for (std::size_t i = 0; initials && i < word.size(); i += 2) {
            initials = letter(word[i]) && word[i + 1] == u'.';
        }
        for (const char16_t* listed : {u"Mr.", u"Mrs.", u"Ms.", u"Dr.", u"Prof.", u"Rev.", u"St.",
                                       u"Mt.", u"vs.", u"etc.", u"cf.", u"approx."}) {
            initials = initials || word == listed;
        }
        return initials;
    };
    std::vector<std::u16string_view> found;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (!is(text[i], ends)) {
            ++i;
            continue;
        }
        std::size_t runEnd = i;
        while (runEnd < text.size() && is(text[runEnd], ends)) {
            ++runEnd;
        }
        std::size_t end = runEnd;
        while (end < text.size() && is(text[end], closing)) {
            ++end;
        }
        std::size_t next = end;
        while (next < text.size() && text[next] == u' ') {
            ++next;
        }
        std::size_t word = next;
        while (word < text.size() && is(text[word], opening)) {
            ++word;
        }
        bool sentenceEnds =
            next > end && next < text.size() && !(word < text.size() && lower(text[word]));
        if (sentenceEnds && runEnd == i + 1 && text[i] == u'.') {
            std::size_t before = i;
            while (before > 0 && text[before - 1] != u' ') {
                --before;
            }
            while (before < i && is(text[before], opening)) {
                ++before;
            }
            sentenceEnds = !notEnding(text.substr(before, i + 1 - before));
        }
        if (sentenceEnds) {
            found.push_back(text.substr(start, end - start));
            start = next;
        }
        i = sentenceEnds ? next : runEnd;
    }
    if (!text.empty()) {
        found.push_back(text.substr(start));
    }
    return found;
}

// The groups by sentence, plainly: for each paragraph of the third article,
// its versions that are not blank, a group for each sentence where all have
// as many, more than one; else one group, and where their numbers differ the
// paragraph is uneven.
struct SentenceGroups {
    std::vector<Group> groups;
    std::vector<std::size_t> uneven;
};
inline SentenceGroups sentenceGroups(const CheckResult& result) {
    const auto& paragraphs = result.articles.paragraphs;
    SentenceGroups found;
    for (std::size_t p = 0; p < paragraphs[2].size(); ++p) {
        Group versions;
        std::vector<std::vector<std::u16string_view>> sentences;
        for (const auto& lines : paragraphs) {
            if (p < lines.size() && notBlank(lines[p])) {
                versions.push_back(lines[p]);
                sentences.push_back(sentencesIn(lines[p]));
            }
        }
        if (versions.empty()) {
            continue;
        }
        bool even = true;
        for (const auto& own : sentences) {
            even = even && own.size() == sentences.front().size();
        }
        if (!even) {
            found.uneven.push_back(p);
        }
        if (!even || sentences.front().size() == 1) {
            found.groups.push_back(versions);
            continue;
        }
        for (std::size_t s = 0; s < sentences.front().size(); ++s) {
            Group group;
            for (const auto& own : sentences) {
                group.push_back(own[s]);
            }
            found.groups.push_back(group);
        }
    }
    return found;
}

}  // namespace kestrelwick::plain
