#include "processing/report_notes.h"

#include <array>
#include <future>
#include <system_error>
#include <thread>

#include "processing/wording.h"

namespace kestrelwick {

namespace {

// The pairs of articles whose versions are compared, in the order the report
// names them.
constexpr auto kArticlePairs = WordingComparer::kPairs;

struct AlikeParagraphs {
    std::array<ParagraphNumbers, kArticlePairs.size()> same;
    std::array<ParagraphNumbers, kArticlePairs.size()> nearlySame;
};

// The paragraphs from first to before end that two articles word the same or
// nearly the same, by pair. Only versions that go into the spin text take
// part: those of the third article's paragraphs that are not blank.
AlikeParagraphs findAlikeParagraphs(const CountedArticles& articles, std::size_t first,
                                    std::size_t end, std::size_t budget) {
    AlikeParagraphs alike;
    WordingComparer comparer(budget);
    for (std::size_t p = first; p < end; ++p) {
        WordingComparer::Versions versions;
        for (std::size_t a = 0; a < kArticleCount; ++a) {
            if (const WordCount words = articles.wordsOf(a, p); words > 0) {  // else blank
                versions[a] = {articles.paragraphs[a][p], std::size_t(words)};
            }
        }
        const auto likeness = comparer.compare(versions);
        for (std::size_t pair = 0; pair < kArticlePairs.size(); ++pair) {
            if (likeness[pair] == Likeness::Same) {
                alike.same[pair].add(p);
            } else if (likeness[pair] == Likeness::NearlySame) {
                alike.nearlySame[pair].add(p);
            }
        }
    }
    return alike;
}

// The same for all the paragraphs. Long articles are compared on two threads,
// each with a comparer of its own and about half the text, and their lists
// are joined in paragraph order; the articles are only read meanwhile.
//
// The comparers together take no more memory than the articles themselves
// (as 16-bit text), however long a paragraph is.
AlikeParagraphs findAlikeParagraphs(const CountedArticles& articles) {
    // Below this many code units in all, a thread costs more than it saves.
    constexpr std::size_t kSharedFrom = std::size_t{1} << 18;
    const auto& driving = articles.paragraphs[kDrivingArticle];
    std::size_t units = 0;
    for (const std::u16string_view text : articles.tidied) {
        units += text.size();
    }
    const std::size_t articleBytes = units * sizeof(char16_t);
    if (units < kSharedFrom || driving.size() < 2 || std::thread::hardware_concurrency() < 2) {
        return findAlikeParagraphs(articles, 0, driving.size(), articleBytes);
    }

    // The second thread starts at the paragraph with half the third
    // article's text before it.
    const std::u16string_view text = articles.tidied[kDrivingArticle];
    std::size_t half = 1;
    while (half + 1 < driving.size() &&
           2 * std::size_t(driving[half].data() - text.data()) < text.size()) {
        ++half;
    }
    std::future<AlikeParagraphs> later;
    try {
        later =
            std::async(std::launch::async, [&articles, half, end = driving.size(), articleBytes] {
                return findAlikeParagraphs(articles, half, end, articleBytes / 2);
            });
    } catch (const std::system_error&) {
        // No thread to be had.
        return findAlikeParagraphs(articles, 0, driving.size(), articleBytes);
    }
    AlikeParagraphs alike = findAlikeParagraphs(articles, 0, half, articleBytes / 2);
    const AlikeParagraphs rest = later.get();
    for (std::size_t pair = 0; pair < kArticlePairs.size(); ++pair) {
        alike.same[pair].append(rest.same[pair]);
        alike.nearlySame[pair].append(rest.nearlySame[pair]);
    }
    return alike;
}

std::u16string articleNumber(std::size_t index) {
    return decimalText(WordCount(index + 1));
}

}  // namespace

std::u16string paragraphListText(const ParagraphNumbers& paragraphs) {
    const auto shown = paragraphs.first();
    const std::size_t more = paragraphs.count() - shown.size();
    std::u16string text;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (i > 0) {
            text += more == 0 && i + 1 == shown.size() ? u" and " : u", ";
        }
        text += decimalText(WordCount(shown[i] + 1));
    }
    if (more > 0) {
        text += u" and " + decimalText(WordCount(more)) + u" more";
    }
    return text;
}

std::vector<ReportNote> buildReportNotes(const CountedArticles& articles,
                                         std::u16string_view spinMarksText) {
    std::vector<ReportNote> notes;
    const std::size_t paragraphs = articles.drivingParagraphs();
    // A note, with the paragraphs it names in the boxes it is about.
    const auto note = [&notes](std::u16string text, NoteKind kind) -> std::vector<ParagraphPlace>& {
        notes.push_back({std::move(text), kind, {}});
        return notes.back().places;
    };

    if (paragraphs == 0) {
        note(u"Article 3 is empty, so there is nothing to spin.", NoteKind::Spoils);
    }

    for (std::size_t a = 0; a < kArticleCount; ++a) {
        const ParagraphNumbers& marked = articles.spinMarkParagraphs[a];
        if (marked.empty()) {
            continue;
        }
        const bool one = marked.count() == 1;
        auto& places =
            note(u"Article " + articleNumber(a) + (one ? u": paragraph " : u": paragraphs ") +
                     paragraphListText(marked) + (one ? u" contains " : u" contain ") +
                     std::u16string(spinMarksText) + u", which break the spin text.",
                 NoteKind::Spoils);
        for (const std::size_t p : marked.all()) {
            places.push_back({a, p});
        }
    }

    // A group that some article fills and another leaves without its version.
    std::array<ParagraphNumbers, kArticleCount> missing;
    for (std::size_t p = 0; p < paragraphs; ++p) {
        std::array<bool, kArticleCount> offered{};
        bool anyOffered = false;
        for (std::size_t a = 0; a < kArticleCount; ++a) {
            offered[a] = articles.wordsOf(a, p) > 0;  // a blank version has no words
            anyOffered = anyOffered || offered[a];
        }
        for (std::size_t a = 0; anyOffered && a < kArticleCount; ++a) {
            if (!offered[a]) {
                missing[a].add(p);
            }
        }
    }
    for (std::size_t a = 0; a < kArticleCount; ++a) {
        if (!missing[a].empty()) {
            auto& places = note(
                u"Article " + articleNumber(a) + u" gives no version for paragraph" +
                    (missing[a].count() == 1 ? u" " : u"s ") + paragraphListText(missing[a]) + u".",
                NoteKind::Spoils);
            // A blank line is found where it is; a paragraph past the end of
            // the article, beside the third article's.
            for (const std::size_t p : missing[a].all()) {
                places.push_back({articles.hasParagraph(a, p) ? a : kDrivingArticle, p});
            }
        }
    }

    // Versions that would spin into copies of one another.
    const auto paired = [&](const std::u16string_view kind,
                            const std::array<ParagraphNumbers, kArticlePairs.size()>& found) {
        for (std::size_t pair = 0; pair < kArticlePairs.size(); ++pair) {
            const ParagraphNumbers& list = found[pair];
            if (list.empty()) {
                continue;
            }
            const auto [a, b] = kArticlePairs[pair];
            auto& places =
                note(u"Articles " + articleNumber(a) + u" and " + articleNumber(b) + u" give " +
                         std::u16string(kind) + u" wording of paragraph" +
                         (list.count() == 1 ? u" " : u"s ") + paragraphListText(list) + u".",
                     NoteKind::Alike);
            for (const std::size_t p : list.all()) {
                places.push_back({a, p});
                places.push_back({b, p});
            }
        }
    };
    const AlikeParagraphs alike = findAlikeParagraphs(articles);
    paired(u"the same", alike.same);
    paired(u"nearly the same", alike.nearlySame);

    for (std::size_t a = 0; paragraphs > 0 && a < kDrivingArticle; ++a) {
        const std::size_t own = articles.paragraphs[a].size();
        if (own > paragraphs) {
            auto& places =
                note(u"Article " + articleNumber(a) + u" has " + decimalText(WordCount(own)) +
                         u" paragraphs and article 3 only " + decimalText(WordCount(paragraphs)) +
                         u": the rest of article " + articleNumber(a) + u" is left out.",
                     NoteKind::Spoils);
            for (std::size_t p = paragraphs; p < own; ++p) {
                places.push_back({a, p});
            }
        }
    }

    // A blank line in the third article still takes a paragraph number, so the
    // title and the introduction may not be the lines the user meant.
    std::vector<ParagraphPlace> blankLines;
    for (std::size_t p = 0; p + 1 < paragraphs; ++p) {
        if (articles.wordsOf(kDrivingArticle, p) == 0) {
            blankLines.push_back({kDrivingArticle, p});
        }
    }
    if (!blankLines.empty()) {
        note(
            u"Blank lines count as paragraphs: the first line is the title, and the second is "
            u"left out of the minimum.",
            NoteKind::Spoils) = std::move(blankLines);
    }
    return notes;
}

}  // namespace kestrelwick
