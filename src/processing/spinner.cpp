#include "processing/spinner.h"

#include <algorithm>

namespace kestrelwick {

SpinScanner::SpinScanner(std::u16string_view text, SpinFormat format)
    : text_(text), marks_(spinMarks(format)) {}

void SpinScanner::fail(std::u16string_view what, std::size_t offset) {
    const TextPlace place = placeOf(text_, offset);
    error_ = Refusal{Refusal::Kind::CannotSpin,
                     placeText(place) + u": " + std::u16string(what) + u".", place};
}

bool SpinScanner::next() {
    if (error_ || from_ >= text_.size()) {
        return false;
    }
    const char16_t braces[] = {marks_.open, marks_.close};
    const std::u16string_view both(braces, 2);
    const std::size_t open = text_.find_first_of(both, from_);
    if (open == std::u16string_view::npos) {
        from_ = text_.size();
        return false;
    }
    if (text_[open] == marks_.close) {
        fail(u"a } has no { before it", open);
        return false;
    }
    const std::size_t close = text_.find_first_of(both, open + 1);
    if (close == std::u16string_view::npos) {
        fail(u"a { has no } to close it", open);
        return false;
    }
    if (text_[close] == marks_.open) {
        fail(u"a { stands inside another group", close);
        return false;
    }
    open_ = open;
    close_ = close;
    from_ = close + 1;
    return true;
}

std::size_t SpinScanner::alternatives() const {
    const std::u16string_view inside = body();
    return std::size_t(std::count(inside.begin(), inside.end(), marks_.separator)) + 1;
}

std::u16string_view SpinScanner::alternative(std::size_t index) const {
    const std::u16string_view inside = body();
    std::size_t start = 0;
    for (; index > 0; --index) {
        start = inside.find(marks_.separator, start) + 1;
    }
    const std::size_t end = std::min(inside.find(marks_.separator, start), inside.size());
    return inside.substr(start, end - start);
}

OrRefusal<std::u16string> spinArticle(std::u16string_view text, SpinFormat format,
                                      SpinRandom& random) {
    // One group at a time, with no list of alternatives: a group of millions
    // of them takes no memory beyond the article.
    std::u16string article;
    SpinScanner scanner(text, format);
    std::size_t plain = 0;
    while (scanner.next()) {
        article += text.substr(plain, scanner.open() - plain);
        article += scanner.alternative(random.below(scanner.alternatives()));
        plain = scanner.close() + 1;
    }
    if (scanner.error()) {
        return *scanner.error();
    }
    article += text.substr(plain);
    return article;
}

OrRefusal<std::u16string> changeSpinFormat(std::u16string_view text, SpinFormat from,
                                           SpinFormat to) {
    const char16_t oldSeparator = spinMarks(from).separator;
    const char16_t separator = spinMarks(to).separator;
    std::u16string changed(text);
    SpinScanner scanner(text, from);
    while (scanner.next()) {
        for (std::size_t i = scanner.open() + 1; i < scanner.close(); ++i) {
            if (changed[i] == separator) {
                const TextPlace place = placeOf(text, i);
                return Refusal{Refusal::Kind::WouldSplit,
                               placeText(place) + u": an alternative holds " + separator +
                                   u", which " + std::u16string(spinFormatRow(to).inSentence) +
                                   u" reads as a separator.",
                               place};
            }
            if (changed[i] == oldSeparator) {
                changed[i] = separator;
            }
        }
    }
    if (scanner.error()) {
        return *scanner.error();
    }
    return changed;
}

}  // namespace kestrelwick
