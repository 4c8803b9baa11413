#include "processing/spin_text.h"

namespace kestrelwick {

namespace {

constexpr std::u16string_view kLineBreak = u"\r\n";

}  // namespace

SpinText::SpinText(const std::array<std::vector<std::u16string_view>, kArticleCount>& paragraphs) {
    for (std::size_t article = 0; article < kArticleCount; ++article) {
        paragraphs_[article] = paragraphs[article];
    }
}

SpinGroup SpinText::group(std::size_t index) const {
    const Entry entry = entries_[index];
    SpinGroup group;
    group.paragraph = entry.paragraph;
    for (std::size_t article = 0; article < kArticleCount; ++article) {
        if ((entry.articles >> article) & 1u) {
            group.versions[group.count++] = paragraphs_[article][entry.paragraph];
        }
    }
    return group;
}

SpinText buildSpinText(const CountedArticles& articles) {
    SpinText spin(articles.paragraphs);
    const std::size_t paragraphs = articles.drivingParagraphs();
    spin.hasTitleLine = paragraphs > 0;
    spin.reserve(paragraphs);
    for (std::size_t p = 0; p < paragraphs; ++p) {
        std::uint8_t offered = 0;
        for (std::size_t article = 0; article < kArticleCount; ++article) {
            if (articles.hasParagraph(article, p) && !isBlank(articles.paragraphs[article][p])) {
                offered = std::uint8_t(offered | (1u << article));
            }
        }
        if (offered != 0) {
            spin.add({std::uint32_t(p), offered});
        }
    }
    return spin;
}

WorkingText writeSpinText(const SpinText& spin, SpinFormat format,
                          std::vector<std::size_t>* separators) {
    const SpinMarks marks = spinMarks(format);
    std::size_t size = spin.hasTitleLine ? kLineBreak.size() : 0;
    for (const SpinGroup& group : spin.groups()) {
        size += group.count + 1 + 2 * kLineBreak.size();  // braces, separators, breaks
        for (std::size_t k = 0; k < group.count; ++k) {
            size += group.version(k).size();
        }
    }
    WorkingText out;
    out.reserve(size);
    bool titleBreakDue = spin.hasTitleLine;
    for (const SpinGroup& group : spin.groups()) {
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
