#include "processing/report_notes.h"

#include <array>

#include "processing/decimal_text.h"

namespace kestrelwick {

namespace {

std::u16string articleNumber(std::size_t index) {
    return decimalText(index + 1);
}

// The sentences of a paragraph's versions: "3 and 4", "3, 3 and 4".
std::u16string sentenceCounts(const UnevenParagraph& paragraph) {
    std::u16string text;
    for (std::size_t v = 0; v < paragraph.versions; ++v) {
        if (v > 0) {
            text += v + 1 == paragraph.versions ? u" and " : u", ";
        }
        text += decimalText(paragraph.sentences[v]);
    }
    return text;
}

// The note on paragraphs that stay one group by sentence: the sentences of
// the paragraphs it names, once where all of them have the same.
std::u16string unevenNote(const std::vector<UnevenParagraph>& uneven) {
    ParagraphNumbers numbers;
    for (const UnevenParagraph& paragraph : uneven) {
        numbers.add(paragraph.paragraph);
    }
    const std::size_t named = numbers.first().size();
    bool alike = true;
    for (std::size_t i = 1; i < named; ++i) {
        alike = alike && uneven[i].versions == uneven[0].versions &&
                uneven[i].sentences == uneven[0].sentences;
    }
    const bool one = uneven.size() == 1;
    std::u16string text =
        (one ? u"Paragraph " : u"Paragraphs ") + paragraphListText(numbers) +
        (one ? u" keeps one group: its versions have " : u" keep one group: their versions have ") +
        sentenceCounts(uneven[0]) + u" sentences";
    for (std::size_t i = 1; !alike && i < named; ++i) {
        text += u"; " + sentenceCounts(uneven[i]);
    }
    return text + u".";
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
        text += decimalText(shown[i] + 1);
    }
    if (more > 0) {
        text += u" and " + decimalText(more) + u" more";
    }
    return text;
}

std::vector<ReportNote> buildReportNotes(const CountedArticles& articles,
                                         const ParagraphComparison& alike,
                                         std::u16string_view spinMarksText,
                                         const std::vector<UnevenParagraph>& uneven) {
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

    // By sentence, paragraphs that stay one group: marked in every box that
    // has them, where the sentences are counted.
    if (!uneven.empty()) {
        auto& places = note(unevenNote(uneven), NoteKind::Spoils);
        for (const UnevenParagraph& paragraph : uneven) {
            for (std::size_t a = 0; a < kArticleCount; ++a) {
                if (articles.hasParagraph(a, paragraph.paragraph)) {
                    places.push_back({a, paragraph.paragraph});
                }
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
    paired(u"the same", alike.same);
    paired(u"nearly the same", alike.nearlySame);

    for (std::size_t a = 0; paragraphs > 0 && a < kDrivingArticle; ++a) {
        const std::size_t own = articles.paragraphs[a].size();
        if (own > paragraphs) {
            auto& places = note(u"Article " + articleNumber(a) + u" has " + decimalText(own) +
                                    u" paragraphs and article 3 only " + decimalText(paragraphs) +
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
