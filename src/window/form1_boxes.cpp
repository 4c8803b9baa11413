#include "window/form1_boxes.h"

#include <QApplication>
#include <QLabel>
#include <QStringList>

#include "window/form1.h"
#include "window/paragraph_marks.h"
#include "window/report_box.h"
#include "window/text_box.h"

namespace {

constexpr std::size_t kArticleBoxes = 3;  // Text1(0) to Text1(2)

QString fromEngine(const std::u16string& text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

// Qt compares long texts many units at a time.
bool sameText(std::u16string_view a, std::u16string_view b) {
    return QStringView(a.data(), qsizetype(a.size())) == QStringView(b.data(), qsizetype(b.size()));
}

}  // namespace

std::u16string_view Form1Boxes::text1(int index) const {
    const auto box = std::size_t(index);
    lent_.at(box) = form_.text1(index)->text();
    unchanged_.at(box) = true;
    return lent_.at(box);
}

void Form1Boxes::setText1(int index, std::u16string_view text) {
    // A box whose text stays the same keeps its cursor, scroll position and
    // undo history, and a large article is not laid out again. Nothing can
    // change a box between the engine's read and its write, so the text read
    // is what the box still holds.
    const auto box = std::size_t(index);
    if (unchanged_.at(box) && sameText(lent_.at(box), text)) {
        return;
    }
    unchanged_.at(box) = false;
    written_.at(box) = form_.text1(index)->replaceText(text) || written_.at(box);
}

void Form1Boxes::setText2(const std::u16string& text) {
    gridWritten_ = form_.text2()->replaceText(text, gridWritten_) || gridWritten_;
}

void Form1Boxes::setLabel3(int index, const std::u16string& caption) {
    QLabel* label = form_.label3(index);
    auto& before = labelsBefore_.at(std::size_t(index));
    if (!before) {
        before = label->text();
    }
    label->setText(fromEngine(caption));
}

void Form1Boxes::takeBackWrites() {
    for (std::size_t box = 0; box < written_.size(); ++box) {
        if (written_[box]) {
            form_.text1(int(box))->undo();
        }
    }
    if (gridWritten_) {
        form_.text2()->undo();
    }
    for (std::size_t k = 0; k < labelsBefore_.size(); ++k) {
        if (labelsBefore_[k]) {
            form_.label3(int(k))->setText(*labelsBefore_[k]);
        }
    }
}

void Form1Boxes::setGridParagraphs(const std::vector<std::size_t>& paragraphs) {
    form_.text2()->setRowNumbers(paragraphs);
}

void Form1Boxes::markReport(const std::vector<kestrelwick::NotePlaces>& notes) {
    notePlaces_ = notes;
}

void Form1Boxes::showReport(const std::u16string& message,
                            const std::vector<std::u16string>& notes) {
    QStringList lines;
    for (const std::u16string& note : notes) {
        lines << fromEngine(note);
    }
    // Every paragraph a note names is marked in its box while the report is
    // read, and after.
    std::array<ParagraphMarks, kArticleBoxes> marks;
    for (std::size_t n = 0; n < notePlaces_.size() && n < std::size_t(lines.size()); ++n) {
        for (const kestrelwick::ParagraphPlace& place : notePlaces_[n].places) {
            marks.at(place.article)
                .add(int(place.paragraph), notePlaces_[n].kind, lines[qsizetype(n)]);
        }
    }
    for (std::size_t k = 0; k < kArticleBoxes; ++k) {
        form_.text1(int(k))->setMarks(std::move(marks[k]));
    }
    QApplication::restoreOverrideCursor();
    showReportBox(&form_, fromEngine(message), lines);
    QApplication::setOverrideCursor(Qt::WaitCursor);
}
