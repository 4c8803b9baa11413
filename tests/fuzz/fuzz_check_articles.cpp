// Runs Check Articles on three arbitrary texts and checks what must hold for
// any input: no crash, balanced braces, no lost paragraph, word counts that a
// plain count confirms, a minimum that no article undercuts, notes on alike
// wordings that a plain computation confirms, and a second click that
// changes nothing. Where the report warns of neither a blank third article
// nor spin marks in the versions, the spin text must read back, through a
// parser of its own, as exactly the versions of each paragraph, and its
// shortest spin must be as long as the reported minimum. By sentence, the
// groups must be those of a plain split, with their words, minimum and share,
// and everything else as by paragraph.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "fuzz/plain_computations.h"
#include "fuzz/require.h"
#include "processing/check_articles.h"
#include "processing/spinning.h"

namespace {

using kestrelwick::CheckResult;
using kestrelwick::testing::require;
using namespace kestrelwick::plain;

// The input is cut into three texts at the first two 16-bit values 0xFFFF.
//
// Two modes stretch the input past what the fuzzer's own lengths reach, each
// steered by the input's last byte. Such runs are slow, so they are separate
// parts of a fuzzing run (see the Makefile).
//
// With KESTRELWICK_FUZZ_LONG_PARAGRAPHS set, the last paragraph of one text
// (the byte's value modulo 3) is repeated, whole, until it is longer than
// 65,536 code units plus a margin (0 to 3 times 4,096): past the word count's
// blocks of 65,535 code units, and past the table that the wording comparison
// fits in one pass, so that it takes several. Where the byte says so (its
// value divided by 12 is odd), the paragraph is repeated until it holds more
// than 65,536 words instead.
//
// With KESTRELWICK_FUZZ_LONG_ARTICLES set, each whole text is repeated, line
// after line, until the three hold more than 262,144 code units plus a
// margin: long enough that the paragraphs are compared on two threads.
std::array<std::u16string, 3> articlesFrom(const std::uint8_t* data, std::size_t size) {
    std::array<std::u16string, 3> articles;
    std::size_t article = 0;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        char16_t unit = 0;
        std::memcpy(&unit, data + i, sizeof unit);
        if (unit == u'\xffff' && article < 2) {
            ++article;
            continue;
        }
        articles[article] += unit;
    }
    if (size == 0) {
        return articles;
    }
    const std::size_t choice = data[size - 1];
    static const bool longParagraphs = std::getenv("KESTRELWICK_FUZZ_LONG_PARAGRAPHS") != nullptr;
    if (longParagraphs) {
        std::u16string& text = articles[choice % 3];
        const std::size_t length = 65536 + 4096 * (choice / 3 % 4);
        const std::size_t lastBreak = text.rfind(u"\r\n");
        const std::size_t start = lastBreak == std::u16string::npos ? 0 : lastBreak + 2;
        const std::u16string piece = text.substr(start);
        const auto pieceWords = std::size_t(wordsIn(piece));
        // Pieces that run into each other can join two words into one.
        const bool manyWords = choice / 12 % 2 == 1 && pieceWords > 0;
        if (!piece.empty()) {
            std::size_t words = pieceWords;
            while (manyWords ? words <= 65536 + 2 * pieceWords : text.size() - start <= length) {
                text += piece;
                words += pieceWords;
            }
        }
    }
    static const bool longArticles = std::getenv("KESTRELWICK_FUZZ_LONG_ARTICLES") != nullptr;
    if (longArticles) {
        const std::size_t length = (std::size_t{1} << 18) + 4096 * (choice % 8);
        const std::array<std::u16string, 3> pieces = articles;
        const auto total = [&articles] {
            return articles[0].size() + articles[1].size() + articles[2].size();
        };
        const std::size_t pieceUnits = pieces[0].size() + pieces[1].size() + pieces[2].size();
        while (pieceUnits > 0 && total() <= length) {
            for (std::size_t a = 0; a < articles.size(); ++a) {
                articles[a] += u"\r\n";
                articles[a] += pieces[a];
            }
        }
    }
    return articles;
}

// The pipe text is the AMA text with the separators of the groups swapped:
// the same length, and differing only where AMA has ~ and pipe has |, once
// between every two versions of a group.
void checkPipeText(const CheckResult& result, const std::u16string& ama) {
    const std::u16string pipe(
        kestrelwick::writeSpinText(result.spinText, kestrelwick::SpinFormat::Pipe));
    require(pipe.size() == ama.size());
    std::size_t swapped = 0;
    for (std::size_t i = 0; i < ama.size(); ++i) {
        if (ama[i] != pipe[i]) {
            require(ama[i] == u'~' && pipe[i] == u'|');
            ++swapped;
        }
    }
    std::size_t separators = 0;
    for (const kestrelwick::SpinGroup& group : result.spinText.groups()) {
        separators += group.count - 1;
    }
    require(swapped == separators);
}

// Where no version holds a spin mark, spinning the AMA text with any seed
// gives one version of every group, picked in order from the same random
// numbers, and keeps the line breaks between the groups.
void checkSpinning(const CheckResult& result, const std::u16string& ama, std::uint64_t seed) {
    for (const auto& marked : result.articles.spinMarkParagraphs) {
        if (!marked.empty()) {
            return;
        }
    }
    kestrelwick::SpinRandom random(seed);
    const auto spun = kestrelwick::spinArticle(ama, kestrelwick::SpinFormat::Ama, random);
    const auto* article = std::get_if<std::u16string>(&spun);
    require(article != nullptr);

    kestrelwick::SpinRandom picks(seed);
    std::u16string expected;
    std::size_t at = 0;
    for (const kestrelwick::SpinGroup& group : result.spinText.groups()) {
        // Between groups there are only line breaks, and no version holds a
        // brace: the next { opens this group.
        const std::size_t start = ama.find(u'{', at);
        require(start != std::u16string::npos);
        expected += ama.substr(at, start - at);
        std::size_t length = 2 + group.count - 1;
        for (std::size_t k = 0; k < group.count; ++k) {
            length += group.version(k).size();
        }
        expected += group.version(picks.below(group.count));
        at = start + length;
    }
    expected += ama.substr(at);
    require(*article == expected);
}

// With no warning about a blank third article or spin marks, the spin text
// holds one group per paragraph of the third article that any article gives
// a version for, with exactly those versions, and its shortest spin from
// paragraph 3 on has as many words as the reported minimum.
void checkSpinTextReadsBack(const CheckResult& result, const std::u16string& output) {
    for (const auto& note : result.notes) {
        if (note.text == u"Article 3 is empty, so there is nothing to spin." ||
            note.text.find(u"which break the spin text.") != std::u16string::npos) {
            return;
        }
    }
    const auto groups = parseSpinText(output);
    require(groups.has_value());

    std::size_t next = 0;
    std::int64_t shortest = 0;
    for (std::size_t p = 0; p < result.articles.paragraphs[2].size(); ++p) {
        Group versions;
        for (const auto& lines : result.articles.paragraphs) {
            if (p < lines.size() && notBlank(lines[p])) {
                versions.push_back(lines[p]);
            }
        }
        if (versions.empty()) {
            continue;
        }
        require(next < groups->size() && (*groups)[next] == versions);
        ++next;
        if (p >= 2) {
            std::int64_t fewest = wordsIn(versions.front());
            for (const auto version : versions) {
                fewest = std::min(fewest, wordsIn(version));
            }
            shortest += fewest;
        }
    }
    require(next == groups->size());
    require(shortest == result.minimumLength);
}

// By sentence: the groups of a plain split into sentences, each version's
// words counted as a plain count does, the minimum their shortest versions'
// sum (never above the minimum by paragraph, and the line after the message
// just where it is below), the share that of the groups, the line breaks of
// the text those by paragraph, and the notes those by paragraph but one that
// names exactly the paragraphs whose versions differ in their sentences.
void checkBySentence(const std::array<std::u16string, 3>& articles, const CheckResult& byParagraph,
                     const std::u16string& paragraphText) {
    const CheckResult result =
        kestrelwick::checkArticles({articles[0], articles[1], articles[2]},
                                   kestrelwick::SpinFormat::Ama, kestrelwick::SpinBy::Sentence);
    const SentenceGroups plain = sentenceGroups(result);
    require(result.spinText.size() == plain.groups.size());
    std::size_t next = 0;
    std::int64_t shortest = 0;
    for (const kestrelwick::SpinGroup& group : result.spinText.groups()) {
        require(
            Group(group.versions.begin(), group.versions.begin() + std::ptrdiff_t(group.count)) ==
            plain.groups[next++]);
        std::int64_t fewest = wordsIn(group.version(0));
        for (std::size_t k = 0; k < group.count; ++k) {
            require(group.words[k] == wordsIn(group.version(k)));
            fewest = std::min(fewest, group.words[k]);
        }
        shortest += group.paragraph >= 2 ? fewest : 0;
    }
    require(shortest == result.minimumLength && shortest <= byParagraph.minimumLength);
    require(result.minimumLine.empty() == (shortest == byParagraph.minimumLength));
    require(!result.yield || result.yield->sharePercent == plainSharePercent(result));
    require(result.grid == byParagraph.grid && result.gridParagraphs == byParagraph.gridParagraphs);

    const std::u16string text(kestrelwick::writeSpinText(result.spinText));
    const auto lineBreaks = [](const std::u16string& written) {
        std::size_t count = 0;
        for (std::size_t at = written.find(u"\r\n"); at != std::u16string::npos;
             at = written.find(u"\r\n", at + 2)) {
            ++count;
        }
        return count;
    };
    require(lineBreaks(text) == lineBreaks(paragraphText));

    std::vector<kestrelwick::ReportNote> notes;
    std::size_t unevenNotes = 0;
    for (const kestrelwick::ReportNote& note : result.notes) {
        if (!note.text.starts_with(u"Paragraph")) {
            notes.push_back(note);
            continue;
        }
        ++unevenNotes;
        std::vector<kestrelwick::ParagraphPlace> places;
        for (const std::size_t p : plain.uneven) {
            for (std::size_t a = 0; a < 3; ++a) {
                if (result.articles.hasParagraph(a, p)) {
                    places.push_back({a, p});
                }
            }
        }
        require(note.kind == kestrelwick::NoteKind::Spoils && note.places == places);
    }
    require(unevenNotes == (plain.uneven.empty() ? 0u : 1u));
    require(notes == byParagraph.notes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const auto articles = articlesFrom(bytes, size);
    const CheckResult result = kestrelwick::checkArticles({articles[0], articles[1], articles[2]});
    const std::u16string output(kestrelwick::writeSpinText(result.spinText));
    const auto& lines = result.articles.paragraphs;

    // With brace-free articles every "{" is closed before the next opens.
    if (braceFree(articles[0]) && braceFree(articles[1]) && braceFree(articles[2])) {
        bool open = false;
        for (const char16_t c : output) {
            if (c == u'{') {
                require(!open);
                open = true;
            } else if (c == u'}') {
                require(open);
                open = false;
            }
        }
        require(!open);
    }

    // Every paragraph of the third article that is not blank reaches the
    // output, in order.
    std::size_t reached = 0;
    for (const auto paragraph : lines[2]) {
        if (!kestrelwick::isBlank(paragraph)) {
            reached = output.find(paragraph, reached);
            require(reached != std::u16string::npos);
            reached += paragraph.size();
        }
    }

    // The minimum never exceeds what an article offers for the summed
    // paragraphs, wherever that article has words in every one of them.
    const std::size_t paragraphs = lines[2].size();
    for (std::size_t article = 0; article < 3; ++article) {
        kestrelwick::WordCount total = 0;
        bool complete = true;
        for (std::size_t p = 2; p < paragraphs; ++p) {
            const auto& counts = result.articles.paragraphWords[article];
            const kestrelwick::WordCount count = p < counts.size() ? counts[p] : 0;
            complete = complete && (count > 0 || result.paragraphMinimums[p] == 0);
            total += count;
        }
        if (complete) {
            require(result.minimumLength <= total);
        }
        require(result.articles.articleWords[article] >= 0);
    }

    // Every paragraph has the words that a plain count finds.
    for (std::size_t article = 0; article < 3; ++article) {
        require(result.articles.paragraphWords[article].size() == lines[article].size());
        for (std::size_t p = 0; p < lines[article].size(); ++p) {
            require(result.articles.paragraphWords[article][p] == wordsIn(lines[article][p]));
        }
    }

    // A second click on the texts that the first one left changes nothing.
    const std::array<std::u16string, 3> tidied = {std::u16string(result.articles.tidied[0]),
                                                  std::u16string(result.articles.tidied[1]),
                                                  std::u16string(result.articles.tidied[2])};
    const CheckResult again = kestrelwick::checkArticles({tidied[0], tidied[1], tidied[2]});
    for (std::size_t article = 0; article < 3; ++article) {
        require(again.articles.tidied[article] == tidied[article]);
    }
    require(again.captions == result.captions && again.grid == result.grid);
    require(again.gridParagraphs == result.gridParagraphs && again.notes == result.notes);
    require(again.message == result.message);
    require(std::u16string(kestrelwick::writeSpinText(again.spinText)) == output);

    // The notes on alike wordings are those that a plain computation gives,
    // and nothing else in the report starts like them.
    // Each note names every paragraph it is about, past the eight its text
    // lists, also those of the other notes: every place in a box that has
    // that paragraph, or in the third article's.
    AlikeNotes alikeGiven;
    for (const kestrelwick::ReportNote& note : result.notes) {
        if (note.text.starts_with(u"Articles ")) {
            require(note.kind == kestrelwick::NoteKind::Alike);
            alikeGiven.texts.push_back(note.text);
            alikeGiven.places.push_back(note.places);
        }
        for (const auto& place : note.places) {
            require(place.article < 3 && place.paragraph < lines[place.article].size());
        }
    }
    const AlikeNotes alikePlain = wordingNotes(result);
    require(alikeGiven.texts == alikePlain.texts);
    require(alikeGiven.places == alikePlain.places);

    checkSpinTextReadsBack(result, output);
    checkPipeText(result, output);
    // A switch of the window's format after the check gives what a check in
    // the other format writes, and back.
    {
        const CheckResult pipe = kestrelwick::checkArticles({articles[0], articles[1], articles[2]},
                                                            kestrelwick::SpinFormat::Pipe);
        std::vector<std::size_t> places;
        std::u16string switched(
            kestrelwick::writeSpinText(result.spinText, kestrelwick::SpinFormat::Ama, &places));
        kestrelwick::changeSeparators(switched, places, kestrelwick::SpinFormat::Pipe);
        require(switched == std::u16string(kestrelwick::writeSpinText(
                                pipe.spinText, kestrelwick::SpinFormat::Pipe)));
        kestrelwick::changeSeparators(switched, places, kestrelwick::SpinFormat::Ama);
        require(switched == output);
    }
    checkSpinning(result, output, size == 0 ? 0 : bytes[0]);
    checkBySentence(articles, result, output);
    // What the spin text gives: a line exactly when there are groups, with
    // the share that a plain computation gives and the number of different
    // articles no larger than 3 to the number of groups.
    require(result.yield.has_value() == !result.spinText.groups().empty());
    if (result.yield) {
        require(result.yield->sharePercent == plainSharePercent(result));
        require(result.yield->twos + result.yield->threes <= result.spinText.groups().size());
    }
    // The grid counts the paragraphs it says it counts, in order.
    for (std::size_t line = 0; line < result.gridParagraphs.size(); ++line) {
        require(result.gridParagraphs[line] >= 1 && result.gridParagraphs[line] < paragraphs);
        require(line == 0 || result.gridParagraphs[line - 1] < result.gridParagraphs[line]);
        require(result.paragraphMinimums[result.gridParagraphs[line]] > 0);
    }
    return 0;
}
