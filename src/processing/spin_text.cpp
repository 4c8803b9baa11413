#include "processing/spin_text.h"

#include "processing/two_halves.h"

#include "processing/sentences.h"

namespace kestrelwick {

namespace {

constexpr std::u16string_view kLineBreak = u"\r\n";
// Between the groups of one paragraph's sentences.
constexpr char16_t kBetweenSentences = u' ';

constexpr std::array<std::u16string_view, 2> kSpinByWords = {u"paragraph", u"sentence"};

// By sentence, how many groups a paragraph's versions (those offered) make:
// their number of sentences where each has as many, else 1, and then the
// paragraph is uneven where they differ. A version too long for a piece's
// place keeps its paragraph whole.
std::size_t sentenceGroups(const CountedArticles& articles, std::size_t paragraph,
                           std::uint8_t offered,
                           std::array<std::vector<Sentence>, kArticleCount>& sentences,
                           std::vector<UnevenParagraph>* uneven) {
    UnevenParagraph counts{paragraph, {}, 0};
    bool even = true;
    for (std::size_t article = 0; article < kArticleCount; ++article) {
        if (((offered >> article) & 1u) == 0) {
            continue;
        }
        const std::u16string_view version = articles.paragraphs[article][paragraph];
        if (version.size() >= SpinText::Piece::kWhole) {
            return 1;
        }
        splitSentences(version, sentences[article]);
        counts.sentences[counts.versions] = sentences[article].size();
        even = even && counts.sentences[counts.versions] == counts.sentences[0];
        ++counts.versions;
    }
    if (!even && uneven != nullptr) {
        uneven->push_back(counts);
    }
    return even ? counts.sentences[0] : 1;
}

// Adds the groups of the paragraphs from first to before end.
void addGroups(const CountedArticles& articles, SpinBy by, std::size_t first, std::size_t end,
               SpinText& spin, std::vector<UnevenParagraph>* uneven) {
    std::array<std::vector<Sentence>, kArticleCount> sentences;
    for (std::size_t p = first; p < end; ++p) {
        std::uint8_t offered = 0;
        for (std::size_t article = 0; article < kArticleCount; ++article) {
            if (articles.wordsOf(article, p) > 0) {  // else blank or lacking
                offered = std::uint8_t(offered | (1u << article));
            }
        }
        if (offered == 0) {
            continue;
        }
        const std::size_t groups =
            by == SpinBy::Sentence ? sentenceGroups(articles, p, offered, sentences, uneven) : 1;
        if (groups == 1) {
            spin.add({std::uint32_t(p), offered});
            continue;
        }
        for (std::size_t s = 0; s < groups; ++s) {
            SpinText::Piece piece;
            for (std::size_t article = 0; article < kArticleCount; ++article) {
                if ((offered >> article) & 1u) {
                    const Sentence sentence = sentences[article][s];
                    piece.start[article] = std::uint32_t(sentence.start);
                    piece.end[article] = std::uint32_t(sentence.end);
                    piece.words[article] = std::uint32_t(sentence.words);
                }
            }
            spin.add({std::uint32_t(p), offered}, piece);
        }
    }
}

}  // namespace

std::u16string_view spinByWord(SpinBy by) {
    return kSpinByWords.at(std::size_t(by));
}

std::optional<SpinBy> spinByOfWord(std::u16string_view word) {
    for (std::size_t by = 0; by < kSpinByWords.size(); ++by) {
        if (kSpinByWords[by] == word) {
            return SpinBy(by);
        }
    }
    return std::nullopt;
}

SpinText::SpinText(const CountedArticles& articles) {
    for (std::size_t article = 0; article < kArticleCount; ++article) {
        paragraphs_[article] = articles.paragraphs[article];
        paragraphWords_[article] = articles.paragraphWords[article];
    }
}

void SpinText::add(Entry entry) {
    entries_.push_back(entry);
    if (!pieces_.empty()) {
        pieces_.emplace_back();
    }
}

void SpinText::append(const SpinText& later) {
    if (!later.pieces_.empty() && pieces_.empty()) {
        pieces_.reserve(entries_.size() + later.size());
        pieces_.resize(entries_.size());
    }
    if (!pieces_.empty() && later.pieces_.empty()) {
        pieces_.resize(pieces_.size() + later.size());  // whole paragraphs
    } else {
        pieces_.insert(pieces_.end(), later.pieces_.begin(), later.pieces_.end());
    }
    entries_.insert(entries_.end(), later.entries_.begin(), later.entries_.end());
}

void SpinText::add(Entry entry, const Piece& piece) {
    if (pieces_.empty()) {
        pieces_.reserve(entries_.capacity());
        pieces_.resize(entries_.size());
    }
    entries_.push_back(entry);
    pieces_.push_back(piece);
}

SpinGroup SpinText::group(std::size_t index) const {
    const Entry entry = entries_[index];
    const Piece* piece = pieces_.empty() ? nullptr : &pieces_[index];
    SpinGroup group;
    group.paragraph = entry.paragraph;
    for (std::size_t article = 0; article < kArticleCount; ++article) {
        if (((entry.articles >> article) & 1u) == 0) {
            continue;
        }
        const std::u16string_view paragraph = paragraphs_[article][entry.paragraph];
        if (piece != nullptr && piece->end[article] != Piece::kWhole) {
            // A piece lies within its paragraph: no check of its bounds.
            group.versions[group.count] = {paragraph.data() + piece->start[article],
                                           piece->end[article] - piece->start[article]};
            group.words[group.count++] = piece->words[article];
        } else {
            group.versions[group.count] = paragraph;
            group.words[group.count++] = paragraphWords_[article][entry.paragraph];
        }
    }
    return group;
}

SpinText buildSpinText(const CountedArticles& articles, SpinBy by,
                       std::vector<UnevenParagraph>* uneven) {
    const std::size_t paragraphs = articles.drivingParagraphs();
    // By sentence, long articles are read on two threads, the second half
    // into a spin text of its own that is then added to the first.
    struct Part {
        SpinText spin;
        std::vector<UnevenParagraph> uneven;
    };
    Part whole = inTwoHalves(
        by == SpinBy::Sentence ? articles.halfwayParagraph() : 0, paragraphs,
        [&articles, by, paragraphs](std::size_t first, std::size_t end, bool) {
            Part part{SpinText(articles), {}};
            part.spin.reserve(first == 0 && end == paragraphs ? paragraphs : 0);
            addGroups(articles, by, first, end, part.spin, &part.uneven);
            return part;
        },
        [](Part& found, const Part& rest) {
            found.spin.append(rest.spin);
            found.uneven.insert(found.uneven.end(), rest.uneven.begin(), rest.uneven.end());
        });
    whole.spin.hasTitleLine = paragraphs > 0;
    if (uneven != nullptr) {
        uneven->insert(uneven->end(), whole.uneven.begin(), whole.uneven.end());
    }
    return std::move(whole.spin);
}

WorkingText writeSpinText(const SpinText& spin, SpinFormat format,
                          std::vector<std::size_t>* separators) {
    const SpinMarks marks = spinMarks(format);
    const std::size_t groups = spin.size();
    // Whether group i is followed by another of the same paragraph.
    const auto sentenceFollows = [&spin, groups](std::size_t i) {
        return i + 1 < groups && spin.paragraphOf(i + 1) == spin.paragraphOf(i);
    };
    std::size_t size = spin.hasTitleLine ? kLineBreak.size() : 0;
    for (std::size_t i = 0; i < groups; ++i) {
        const SpinGroup group = spin.group(i);
        size += group.count + 1;  // braces and separators
        size += sentenceFollows(i) ? 1 : 2 * kLineBreak.size();
        for (std::size_t k = 0; k < group.count; ++k) {
            size += group.version(k).size();
        }
    }
    WorkingText out;
    out.reserve(size);
    bool titleBreakDue = spin.hasTitleLine;
    for (std::size_t i = 0; i < groups; ++i) {
        const SpinGroup group = spin.group(i);
        if (titleBreakDue && group.paragraph > 0) {
            out += kLineBreak;
            titleBreakDue = false;
        }
        for (std::size_t k = 0; k < group.count; ++k) {
            if (k > 0 && separators != nullptr) {
                separators->push_back(out.size());
            }
            out += k == 0 ? marks.open : marks.separator;
            out += group.version(k);
        }
        out += marks.close;
        if (sentenceFollows(i)) {
            out += kBetweenSentences;
            continue;
        }
        out += kLineBreak;
        out += kLineBreak;
        if (titleBreakDue) {
            out += kLineBreak;  // after the title's group
            titleBreakDue = false;
        }
    }
    if (titleBreakDue) {
        out += kLineBreak;
    }
    return out;
}

void changeSeparators(std::span<char16_t> text, const std::vector<std::size_t>& places,
                      SpinFormat to) {
    const char16_t separator = spinMarks(to).separator;
    for (const std::size_t place : places) {
        text[place] = separator;
    }
}

}  // namespace kestrelwick
