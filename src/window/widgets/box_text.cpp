#include "window/widgets/box_text.h"

#include <vector>

namespace kestrelwick {

namespace {

constexpr char16_t kParagraphSeparator = u'\u2029';
constexpr char16_t kSpace = u' ';

}  // namespace

std::u16string engineTextFromRaw(const QString& raw) {
    const QStringView view(raw);
    std::vector<qsizetype> breaks;
    for (qsizetype found = view.indexOf(QChar(kParagraphSeparator)); found >= 0;
         found = view.indexOf(QChar(kParagraphSeparator), found + 1)) {
        breaks.push_back(found);
    }
    breaks.push_back(view.size());
    std::u16string text;
    text.reserve(std::size_t(view.size()) + breaks.size() - 1);
    qsizetype start = 0;
    for (const qsizetype end : breaks) {
        if (start > 0) {
            text += u"\r\n";
        }
        text.append(reinterpret_cast<const char16_t*>(view.utf16()) + start,
                    std::size_t(end - start));
        start = end + 1;
    }
    return text;
}

QString rawFromEngineText(std::u16string_view text) {
    const QStringView view(text.data(), qsizetype(text.size()));
    QString raw;
    raw.reserve(view.size());
    qsizetype start = 0;
    for (qsizetype cr = view.indexOf(u'\r'); cr >= 0; cr = view.indexOf(u'\r', cr + 1)) {
        if (cr + 1 < view.size() && view[cr + 1] == u'\n') {
            raw.append(view.sliced(start, cr - start));
            raw.append(QChar(kParagraphSeparator));
            start = cr + 2;
        }
    }
    raw.append(view.sliced(start));
    return raw;
}

SpacesAtEnds spacesAtEnds(QStringView raw) {
    SpacesAtEnds spaces;
    while (spaces.leading < raw.size() && raw[spaces.leading].unicode() == kSpace) {
        ++spaces.leading;
    }
    while (spaces.trailing < raw.size() - spaces.leading &&
           raw[raw.size() - 1 - spaces.trailing].unicode() == kSpace) {
        ++spaces.trailing;
    }
    return spaces;
}

}  // namespace kestrelwick
