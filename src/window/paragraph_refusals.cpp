#include "window/paragraph_refusals.h"

#include <QDir>
#include <QLocale>

#include "files/files.h"
#include "window/messages.h"
#include "window/widgets/widgets.h"

namespace kestrelwick {

namespace {

QString count(std::size_t number) {
    return QLocale(QLocale::English).toString(qulonglong(number));
}

// What every refusal ends its reason with.
QString limit() {
    return QStringLiteral(" characters, and a box takes paragraphs of up to ") +
           count(kLongestParagraph);
}

}  // namespace

QString boxName(std::size_t largeBox) {
    return largeBox < kArticleCount ? QStringLiteral("article box %1").arg(largeBox + 1)
                                    : QStringLiteral("the output box");
}

QString boxName(const FormControls& controls, const TextBox* box) {
    const auto boxes = controls.largeBoxes();
    for (std::size_t k = 0; k < boxes.size(); ++k) {
        if (boxes[k] == box) {
            return boxName(k);
        }
    }
    return QStringLiteral("the grid");
}

void warnParagraphRefused(QWidget* parent, const QString& box, const LongParagraph& paragraph) {
    warn(parent, QStringLiteral("This was not done: paragraph %1 of %2 would have %3%4. The box "
                                "is as it was.")
                     .arg(count(paragraph.number), box, count(paragraph.characters), limit()));
}

Refusal fileRefusal(const QString& file, const QString& box, const LongParagraph& paragraph) {
    return refusalOf(
        Refusal::Kind::CannotRead,
        QStringLiteral("\"%1\" was not put into %2: its paragraph %3 has %4%5.")
            .arg(file, box, count(paragraph.number), count(paragraph.characters), limit()));
}

QString savedWorkRefusal(const QString& path, const QString& box, const LongParagraph& paragraph) {
    return QStringLiteral(
               "The work saved in \"%1\" was not put back: paragraph %2 of %3 has "
               "%4%5. It stays as it is for a later version of Kestrelwick, and this "
               "window saves nothing over it.")
        .arg(QDir::toNativeSeparators(path), count(paragraph.number), box,
             count(paragraph.characters), limit());
}

QString spinTextRefusal(const LongParagraph& paragraph) {
    return QStringLiteral(
               "The spin text was not written into the output box: its paragraph %1 "
               "would have %2%3. The counts and the report are shown, and the output "
               "box is as it was; kestrelwick --check writes the spin text of these "
               "articles.")
        .arg(count(paragraph.number), count(paragraph.characters), limit());
}

}  // namespace kestrelwick
