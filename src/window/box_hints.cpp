#include "window/box_hints.h"

#include <QStringList>

#include <array>

#include "window/large_boxes.h"
#include "window/shortcuts.h"

namespace kestrelwick {

QString boxPlaceholder(std::size_t box) {
    if (box < kArticleCount) {
        static const std::array<QString, kArticleCount> kOrdinals = {
            QStringLiteral("first"), QStringLiteral("second"), QStringLiteral("third")};
        return QStringLiteral("Article %1: paste, drop or open (%2) the %3 version here")
            .arg(box + 1)
            .arg(keysText(Command::OpenArticle), kOrdinals[box]);
    }
    // The mouse's way first, then the first key that opens a box's menu.
    return QStringLiteral(
               "The spin text appears here after Check Articles. Right-click it (or "
               "%1) to preview, save it or save spun articles.")
        .arg(keySequences(Command::BoxMenu).front().toString(QKeySequence::PortableText));
}

QString boxToolTip(std::size_t box) {
    const int tip = box < kArticleCount ? kArticleTip : kOutputTip;
    QStringList lines{QStringLiteral("Keys in this box:")};
    for (const KeyRow& row : keyRows()) {
        if ((row.tips & tip) != 0) {
            lines << keysText(row) + QStringLiteral(" — ") + doesText(row);
        }
    }
    return lines.join(u'\n');
}

}  // namespace kestrelwick
