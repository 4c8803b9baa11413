#pragma once

// Articles made up for the benchmarks: the same text in every run.

#include <array>
#include <cstdint>
#include <string>

namespace kestrelwick::bench {

// Paragraphs of about 425 characters (or of the length given) made of
// ordinary English words, with the odd double space after a full stop, as
// pasted articles have them; the first paragraph is a short title. With
// sentences, every paragraph but the title (one sentence) has that many
// sentences of about the same length, as writers who spin by sentence write
// them; without, a sentence ends after any word, one time in nine.
inline std::u16string generateArticle(std::int64_t paragraphs, std::uint32_t seed,
                                      std::size_t paragraphUnits = 420, std::size_t sentences = 0) {
    static const char* const kWords[] = {
        "the",     "dog",     "training", "takes",     "patience", "and",   "a",    "simple",
        "command", "like",    "sit",      "or",        "stay",     "works", "best", "when",
        "you",     "reward",  "good",     "behaviour", "every",    "time",  "with", "praise",
        "treats",  "short",   "sessions", "daily",     "practice", "helps", "your", "puppy",
        "learn",   "quickly", "without",  "stress",    "remember", "to",    "keep", "it",
        "fun",     "for",     "both",     "of"};
    constexpr std::size_t kWordCount = sizeof kWords / sizeof kWords[0];
    std::uint32_t state = seed;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };

    std::u16string text;
    text.reserve(std::size_t(paragraphs) * (paragraphUnits + 20));
    for (std::int64_t p = 0; p < paragraphs; ++p) {
        if (p > 0) {
            text += u"\r\n";
        }
        const std::size_t start = text.size();
        const std::size_t units = p == 0 ? 30u : paragraphUnits;
        const std::size_t sentenceUnits = sentences > 0 && p > 0 ? units / sentences : units;
        std::size_t sentenceBegins = start;
        bool sentenceStart = true;
        while (text.size() - start < units) {
            const char* word = kWords[next() % kWordCount];
            for (const char* c = word; *c != '\0'; ++c) {
                char16_t unit = static_cast<char16_t>(*c);
                if (sentenceStart && c == word) {
                    unit = static_cast<char16_t>(unit - u'a' + u'A');
                }
                text += unit;
            }
            // A one-letter word before a full stop would read as an initial.
            sentenceStart = sentences == 0 ? next() % 9 == 0
                                           : text.size() - sentenceBegins >= sentenceUnits &&
                                                 text.size() - start < units && word[1] != '\0';
            if (sentenceStart) {
                text += next() % 3 == 0 ? u".  " : u". ";
                sentenceBegins = text.size();
            } else {
                text += u' ';
            }
        }
        text.pop_back();
        if (sentences > 0 && p > 0) {
            text += u'.';
        }
    }
    return text;
}

inline std::array<std::u16string, 3> generateArticles(std::int64_t paragraphs) {
    return {generateArticle(paragraphs, 1), generateArticle(paragraphs, 2),
            generateArticle(paragraphs, 3)};
}

// Three articles whose paragraphs have as many sentences each.
inline std::array<std::u16string, 3> generateSentenceArticles(std::int64_t paragraphs,
                                                              std::size_t sentences = 4) {
    return {generateArticle(paragraphs, 1, 420, sentences),
            generateArticle(paragraphs, 2, 420, sentences),
            generateArticle(paragraphs, 3, 420, sentences)};
}

// Three articles of a title and one paragraph of about the given length.
inline std::array<std::u16string, 3> generateOneParagraphArticles(std::size_t units) {
    return {generateArticle(2, 1, units), generateArticle(2, 2, units),
            generateArticle(2, 3, units)};
}

}  // namespace kestrelwick::bench
