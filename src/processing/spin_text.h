#pragma once

// The spin text: one group per paragraph of the third article, holding the
// versions of that paragraph that the articles give, between braces.
//
//   {title 1~title 2~title 3}
//
//
//   {intro 1~intro 2~intro 3}
//
//   ...
//
// A group holds the versions whose article has the paragraph and where it is
// not blank, in article order, and is followed by an empty line; a paragraph
// that no article offers adds nothing, so every group is complete and on its
// own line. The title's group is followed by one more line break.
//
// By sentence, a paragraph whose versions have as many sentences each
// (processing/sentences.h), more than one, gives one group per sentence
// instead, on the paragraph's line and one space apart:
//
//   {s1 of 1~s1 of 2~s1 of 3} {s2 of 1~s2 of 2~s2 of 3}
//
// so the line breaks and everything between paragraphs are as by
// paragraph. A paragraph whose versions differ in their number of sentences
// stays one group, and the check is told which (UnevenParagraph).
//
// Every format writes the same groups (processing/spin_formats.h): AMA format
// {a~b~c}, the default, the pipe format {a|b|c}, and any other row.
//
// A check gives the groups as views into the articles; the text itself is
// written only when it is shown, into one buffer of exactly its size.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "processing/counted_articles.h"
#include "processing/spin_formats.h"
#include "processing/working_memory.h"

namespace kestrelwick {

// What a group holds: a paragraph's versions (the default), or a sentence's
// where the paragraph's versions allow it.
enum class SpinBy : std::uint8_t { Paragraph, Sentence };

// The word --by takes and the settings keep: u"paragraph", u"sentence".
std::u16string_view spinByWord(SpinBy by);
std::optional<SpinBy> spinByOfWord(std::u16string_view word);

// A paragraph that stays one group by sentence: the sentences of each of its
// versions that is not blank, in article order, of which there are two or
// three.
struct UnevenParagraph {
    std::size_t paragraph = 0;
    std::array<std::size_t, kArticleCount> sentences{};
    std::size_t versions = 0;

    bool operator==(const UnevenParagraph&) const = default;
};

// One group: the versions of one paragraph, or of one of its sentences,
// views into the articles.
struct SpinGroup {
    std::size_t paragraph = 0;  // of the third article, from 0
    std::array<std::u16string_view, kArticleCount> versions;
    std::array<WordCount, kArticleCount> words{};  // of each version
    std::size_t count = 0;                         // versions in use, from the first: 1 to 3

    std::u16string_view version(std::size_t k) const { return versions[k]; }
};

// The groups of a spin text. Kept small: a group is its paragraph and the
// articles that give a version of it (8 bytes), and its versions and their
// words are looked up in the articles' paragraphs when it is read (groups(),
// group(i)). Once a paragraph is split into sentences, every group also has
// its piece of each version and the piece's words (36 bytes more).
class SpinText {
  public:
    struct Entry {
        std::uint32_t paragraph;
        std::uint8_t articles;  // bit k: article k gives a version
    };
    // Where each version of a group starts and ends in its paragraph, and
    // its words, by article; kWhole as its end: the whole paragraph.
    struct Piece {
        static constexpr std::uint32_t kWhole = UINT32_MAX;
        std::array<std::uint32_t, kArticleCount> start{};
        std::array<std::uint32_t, kArticleCount> end{kWhole, kWhole, kWhole};
        std::array<std::uint32_t, kArticleCount> words{};
    };

    SpinText() = default;
    // The paragraphs of the three articles and their words, which outlive
    // the spin text.
    explicit SpinText(const CountedArticles& articles);

    // A group of whole paragraphs.
    void add(Entry entry);
    // A group of pieces of its paragraphs.
    void add(Entry entry, const Piece& piece);
    // The groups of another spin text of the same articles, whose
    // paragraphs follow this one's.
    void append(const SpinText& later);
    void reserve(std::size_t groups) { entries_.reserve(groups); }

    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    SpinGroup group(std::size_t index) const;
    // The paragraph of a group, without its versions.
    std::size_t paragraphOf(std::size_t index) const { return entries_[index].paragraph; }

    // The groups in order, for a range-for.
    class Groups {
      public:
        class Iterator {
          public:
            Iterator(const SpinText* spin, std::size_t index) : spin_(spin), index_(index) {}
            SpinGroup operator*() const { return spin_->group(index_); }
            Iterator& operator++() {
                ++index_;
                return *this;
            }
            bool operator!=(const Iterator& other) const { return index_ != other.index_; }

          private:
            const SpinText* spin_;
            std::size_t index_;
        };
        explicit Groups(const SpinText* spin) : spin_(spin) {}
        Iterator begin() const { return {spin_, 0}; }
        Iterator end() const { return {spin_, spin_->size()}; }
        std::size_t size() const { return spin_->size(); }
        bool empty() const { return spin_->empty(); }

      private:
        const SpinText* spin_;
    };
    Groups groups() const { return Groups(this); }

    // Whether the third article has a title line, after which the text has
    // one more line break (also when no article offers a title).
    bool hasTitleLine = false;

  private:
    std::vector<Entry> entries_;
    // Empty until a group is a piece of its paragraph; then one for every
    // group.
    std::vector<Piece> pieces_;
    // The buffers of the articles' paragraph lists and word counts: they stay
    // put when the lists (or the result holding them) are moved.
    std::array<std::span<const std::u16string_view>, kArticleCount> paragraphs_;
    std::array<std::span<const WordCount>, kArticleCount> paragraphWords_;
};

// The groups of counted articles; by sentence, the paragraphs that stay one
// group because their versions differ in their number of sentences go to
// uneven.
SpinText buildSpinText(const CountedArticles& articles, SpinBy by = SpinBy::Paragraph,
                       std::vector<UnevenParagraph>* uneven = nullptr);

// The text of the spin text, CR LF line breaks, in a buffer sized to fit.
// With separators, where it put the separators between versions, in order:
// a version may hold the other format's separator as plain text, so the same
// groups are given in the other format by changing these places alone,
// never by reading the text again (changeSeparators).
WorkingText writeSpinText(const SpinText& spin, SpinFormat format = SpinFormat::Ama,
                          std::vector<std::size_t>* separators = nullptr);
// The spin text written in one format, given in another: the separators at
// the places changed, nothing else.
void changeSeparators(std::span<char16_t> text, const std::vector<std::size_t>& places,
                      SpinFormat to);

}  // namespace kestrelwick
