#include "processing/spinner.h"

#include <algorithm>

#include "processing/counted_articles.h"

namespace kestrelwick {

TextPlace placeOf(std::u16string_view text, std::size_t offset) {
    TextPlace place{1, 1};
    for (std::size_t i = 0; i < offset; ++i) {
        const char16_t unit = text[i];
        if (unit == u'\r' || unit == u'\n') {
            if (unit == u'\r' && i + 1 < offset && text[i + 1] == u'\n') {
                ++i;  // CR LF is one break
            }
            ++place.line;
            place.column = 1;
        } else if (!(unit >= 0xdc00 && unit <= 0xdfff && i > 0 && text[i - 1] >= 0xd800 &&
                     text[i - 1] <= 0xdbff)) {
            ++place.column;  // the second half of a surrogate pair is no character of its own
        }
    }
    return place;
}

namespace {

SpinError errorAt(SpinError::Kind kind, std::u16string_view text, std::size_t offset) {
    const TextPlace place = placeOf(text, offset);
    return {kind, place.line, place.column};
}

}  // namespace

std::u16string FoundFormat::warning() const {
    if (!mixed) {
        return {};
    }
    const bool ama = format == SpinFormat::Ama;
    const std::u16string_view other = ama ? u"|" : u"~";
    return std::u16string(u"the spin text's groups hold both ~ and |: it is spun in ") +
           (ama ? u"AMA format" : u"the pipe format") + u", in which " + std::u16string(other) +
           u" is plain text (the first group with a " + std::u16string(other) + u" is at line " +
           decimalText(WordCount(mixed->line)) + u", column " +
           decimalText(WordCount(mixed->column)) + u").";
}

FoundFormat findSpinFormat(std::u16string_view text, std::optional<SpinFormat> given) {
    // The groups as the braces make them, whatever the separator.
    std::optional<std::size_t> firstTilde;
    std::optional<std::size_t> firstPipe;
    for (std::size_t open = text.find(u'{'); open != std::u16string_view::npos;) {
        const std::size_t close = text.find_first_of(u"{}", open + 1);
        if (close == std::u16string_view::npos || text[close] == u'{') {
            if (close == std::u16string_view::npos) {
                break;
            }
            open = close;
            continue;
        }
        const std::u16string_view body = text.substr(open + 1, close - open - 1);
        if (!firstTilde && body.find(u'~') != std::u16string_view::npos) {
            firstTilde = open;
        }
        if (!firstPipe && body.find(u'|') != std::u16string_view::npos) {
            firstPipe = open;
        }
        open = text.find(u'{', close + 1);
    }
    FoundFormat found;
    found.format = given ? *given : firstPipe && !firstTilde ? SpinFormat::Pipe : SpinFormat::Ama;
    if (firstTilde && firstPipe) {
        found.mixed = placeOf(text, found.format == SpinFormat::Ama ? *firstPipe : *firstTilde);
    }
    return found;
}

std::u16string SpinError::text() const {
    std::u16string what;
    switch (kind) {
        case Kind::UnclosedGroup:
            what = u"a { has no } to close it";
            break;
        case Kind::StrayClose:
            what = u"a } has no { before it";
            break;
        case Kind::NestedGroup:
            what = u"a { stands inside another group";
            break;
    }
    return u"line " + decimalText(WordCount(line)) + u", column " + decimalText(WordCount(column)) +
           u": " + what + u".";
}

std::uint64_t SpinRandom::next() {
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15u);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
    return z ^ (z >> 31);
}

std::size_t SpinRandom::below(std::size_t count) {
    // Drawn again past the largest multiple of count, so that no number is
    // more likely than another.
    const std::uint64_t limit = ~std::uint64_t{0} - (~std::uint64_t{0} % count + 1) % count;
    std::uint64_t drawn = next();
    while (drawn > limit) {
        drawn = next();
    }
    return std::size_t(drawn % count);
}

SpinScanner::SpinScanner(std::u16string_view text, SpinFormat format)
    : text_(text), marks_(spinMarks(format)) {}

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
        error_ = errorAt(SpinError::Kind::StrayClose, text_, open);
        return false;
    }
    const std::size_t close = text_.find_first_of(both, open + 1);
    if (close == std::u16string_view::npos) {
        error_ = errorAt(SpinError::Kind::UnclosedGroup, text_, open);
        return false;
    }
    if (text_[close] == marks_.open) {
        error_ = errorAt(SpinError::Kind::NestedGroup, text_, close);
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

std::variant<std::u16string, SpinError> spinArticle(std::u16string_view text, SpinFormat format,
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

FormatChange changeSpinFormat(std::u16string_view text, SpinFormat from, SpinFormat to) {
    const char16_t oldSeparator = spinMarks(from).separator;
    const char16_t separator = spinMarks(to).separator;
    FormatChange change;
    std::u16string changed(text);
    SpinScanner scanner(text, from);
    while (scanner.next()) {
        for (std::size_t i = scanner.open() + 1; i < scanner.close(); ++i) {
            if (changed[i] == separator) {
                change.splits = placeOf(text, i);
                return change;
            }
            if (changed[i] == oldSeparator) {
                changed[i] = separator;
            }
        }
    }
    if (scanner.error()) {
        change.broken = scanner.error();
        return change;
    }
    change.text = std::move(changed);
    return change;
}

}  // namespace kestrelwick
