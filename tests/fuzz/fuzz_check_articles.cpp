// Runs Check Articles on three arbitrary texts and checks what must hold for
// any input: no crash, balanced braces, no lost paragraph, word counts that a
// plain count confirms, a minimum that no article undercuts, notes on alike
// wordings that a plain computation confirms, and a second click that
// changes nothing. Where the report warns of neither a blank third article
// nor spin marks in the versions, the spin text must read back, through a
// parser of its own, as exactly the versions of each paragraph, and its
// shortest spin must be as long as the reported minimum.

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

#include "processing/check_articles.h"
#include "processing/spinner.h"

namespace {

using kestrelwick::CheckResult;

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Words as the user counts them: runs of characters other than the space.
std::int64_t wordsIn(std::u16string_view text) {
    std::int64_t words = 0;
    bool inWord = false;
    for (const char16_t c : text) {
        words += (c != u' ' && !inWord) ? 1 : 0;
        inWord = c != u' ';
    }
    return words;
}

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

bool braceFree(const std::u16string& text) {
    return text.find_first_of(u"{}") == std::u16string::npos;
}

using Group = std::vector<std::u16string_view>;

// Reads spin text as article services do: groups of alternatives between "{"
// and "}", separated by "~", with nothing but line breaks between groups and
// no group inside another. Gives nothing when the text is not of that form.
std::optional<std::vector<Group>> parseSpinText(std::u16string_view text) {
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

bool notBlank(std::u16string_view text) {
    return text.find_first_not_of(u' ') != std::u16string_view::npos;
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

using Words = std::vector<std::u16string_view>;

Words wordList(std::u16string_view text) {
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

std::set<Words> fourWordRuns(const Words& words) {
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

AlikeNotes wordingNotes(const CheckResult& result) {
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
int plainSharePercent(const CheckResult& result) {
    std::uint64_t shared = 0;
    std::uint64_t runs = 0;
    for (const kestrelwick::SpinGroup& group : result.spinText.groups) {
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
    for (const kestrelwick::SpinGroup& group : result.spinText.groups) {
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
    for (const kestrelwick::SpinGroup& group : result.spinText.groups) {
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
    checkSpinning(result, output, size == 0 ? 0 : bytes[0]);
    // What the spin text gives: a line exactly when there are groups, with
    // the share that a plain computation gives and the number of different
    // articles no larger than 3 to the number of groups.
    require(result.yield.has_value() == !result.spinText.groups.empty());
    if (result.yield) {
        require(result.yield->sharePercent == plainSharePercent(result));
        require(result.yield->twos + result.yield->threes <= result.spinText.groups.size());
    }
    // The grid counts the paragraphs it says it counts, in order.
    for (std::size_t line = 0; line < result.gridParagraphs.size(); ++line) {
        require(result.gridParagraphs[line] >= 1 && result.gridParagraphs[line] < paragraphs);
        require(line == 0 || result.gridParagraphs[line - 1] < result.gridParagraphs[line]);
        require(result.paragraphMinimums[result.gridParagraphs[line]] > 0);
    }
    return 0;
}
