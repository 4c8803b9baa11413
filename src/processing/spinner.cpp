#include "processing/spinner.h"

#include <vector>

#include "processing/counted_articles.h"

namespace kestrelwick {

namespace {

// Line and column (from 1) of an offset.
SpinError errorAt(SpinError::Kind kind, std::u16string_view text, std::size_t offset) {
    std::size_t line = 1;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < offset; ++i) {
        if (text[i] == u'\r' && i + 1 < offset && text[i + 1] == u'\n') {
            ++i;  // CR LF is one break
        }
        if (text[i] == u'\r' || text[i] == u'\n') {
            ++line;
            lineStart = i + 1;
        }
    }
    return {kind, line, offset - lineStart + 1};
}

}  // namespace

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

std::variant<std::u16string, SpinError> spinArticle(std::u16string_view text, SpinFormat format,
                                                    SpinRandom& random) {
    const SpinMarks marks = spinMarks(format);
    std::u16string article;
    article.reserve(text.size());
    std::size_t groupStart = 0;
    bool inGroup = false;
    std::vector<std::u16string_view> alternatives;
    std::size_t alternativeStart = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit == marks.open) {
            if (inGroup) {
                return errorAt(SpinError::Kind::NestedGroup, text, i);
            }
            inGroup = true;
            groupStart = i;
            alternatives.clear();
            alternativeStart = i + 1;
        } else if (unit == marks.close) {
            if (!inGroup) {
                return errorAt(SpinError::Kind::StrayClose, text, i);
            }
            alternatives.push_back(text.substr(alternativeStart, i - alternativeStart));
            article += alternatives[random.below(alternatives.size())];
            inGroup = false;
        } else if (inGroup && unit == marks.separator) {
            alternatives.push_back(text.substr(alternativeStart, i - alternativeStart));
            alternativeStart = i + 1;
        } else if (!inGroup) {
            article += unit;
        }
    }
    if (inGroup) {
        return errorAt(SpinError::Kind::UnclosedGroup, text, groupStart);
    }
    return article;
}

std::optional<std::u16string> changeSpinFormat(std::u16string_view text, SpinFormat from,
                                               SpinFormat to) {
    const SpinMarks old = spinMarks(from);
    const char16_t separator = spinMarks(to).separator;
    std::u16string changed(text);
    bool inGroup = false;
    for (char16_t& unit : changed) {
        if (unit == old.open) {
            if (inGroup) {
                return std::nullopt;
            }
            inGroup = true;
        } else if (unit == old.close) {
            if (!inGroup) {
                return std::nullopt;
            }
            inGroup = false;
        } else if (inGroup && unit == old.separator) {
            unit = separator;
        } else if (inGroup && unit == separator) {
            return std::nullopt;
        }
    }
    if (inGroup) {
        return std::nullopt;
    }
    return changed;
}

}  // namespace kestrelwick
