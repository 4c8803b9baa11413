#include "processing/spin_text.h"

namespace kestrelwick {

namespace {

constexpr std::u16string_view kLineBreak = u"\r\n";

}  // namespace

SpinMarks spinMarks(SpinFormat format) {
    return {u'{', u'}', format == SpinFormat::Pipe ? u'|' : u'~'};
}

std::u16string_view spinMarksText(SpinFormat format) {
    return format == SpinFormat::Pipe ? u"{, } or |" : u"{, } or ~";
}

SpinText buildSpinText(const CountedArticles& articles) {
    SpinText spin;
    const std::size_t paragraphs = articles.drivingParagraphs();
    spin.hasTitleLine = paragraphs > 0;
    for (std::size_t p = 0; p < paragraphs; ++p) {
        SpinGroup group;
        group.paragraph = p;
        for (std::size_t article = 0; article < kArticleCount; ++article) {
            if (!articles.hasParagraph(article, p)) {
                continue;
            }
            const std::u16string_view version = articles.paragraphs[article][p];
            if (!isBlank(version)) {
                group.versions[group.count++] = version;
            }
        }
        if (group.count > 0) {
            spin.groups.push_back(group);
        }
    }
    return spin;
}

WorkingText writeSpinText(const SpinText& spin, SpinFormat format) {
    const SpinMarks marks = spinMarks(format);
    std::size_t size = spin.hasTitleLine ? kLineBreak.size() : 0;
    for (const SpinGroup& group : spin.groups) {
        size += group.count + 1 + 2 * kLineBreak.size();  // braces, separators, breaks
        for (std::size_t k = 0; k < group.count; ++k) {
            size += group.version(k).size();
        }
    }
    WorkingText out;
    out.reserve(size);
    bool titleBreakDue = spin.hasTitleLine;
    for (const SpinGroup& group : spin.groups) {
        if (titleBreakDue && group.paragraph > 0) {
            out += kLineBreak;
            titleBreakDue = false;
        }
        for (std::size_t k = 0; k < group.count; ++k) {
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

}  // namespace kestrelwick
