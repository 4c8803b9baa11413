#include "window/check_run.h"

#include <QLabel>
#include <QStringList>

#include <new>

#include "files/files.h"
#include "window/report_box.h"
#include "window/widgets/widgets.h"

namespace kestrelwick {

CheckRun::CheckRun(const FormControls& controls, SpinFormat format, SpinBy by)
    : controls_(controls), format_(format) {
    for (std::size_t k = 0; k < kArticleCount; ++k) {
        texts_[k] = controls.articleBoxes[k]->text();
    }
    result_ = checkArticles({texts_[0], texts_[1], texts_[2]}, format_, by);
    spinText_ = writeSpinText(result_.spinText, format_, &separators_);
}

void CheckRun::showCounts() {
    for (std::size_t k = 0; k < labelsBefore_.size(); ++k) {
        labelsBefore_[k] = controls_.countLabels[k]->text();
    }
    try {
        for (std::size_t k = 0; k < kArticleCount; ++k) {
            // Tidying only trims, so a tidied text as long as the box's is the
            // box's text: that box keeps its cursor, scroll position and undo
            // history, and a large article is not laid out again.
            const std::u16string_view tidied = result_.articles.tidied[k];
            if (tidied.size() != texts_[k].size()) {
                boxReplaced_[k] = controls_.articleBoxes[k]->replaceText(tidied);
            }
        }
        for (std::size_t k = 0; k < kArticleCount; ++k) {
            controls_.countLabels[k]->setText(qtText(result_.captions[k]));
        }
        gridReplaced_ = controls_.gridBox->replaceText(result_.grid);
        controls_.gridBox->setRowNumbers(result_.gridParagraphs);
        controls_.countLabels[kArticleCount]->setText(qtText(result_.captions[kArticleCount]));

        // Every paragraph a note names is marked in its box while the report
        // is read, and after.
        std::array<ParagraphMarks, kArticleCount> marks;
        for (const ReportNote& note : result_.notes) {
            const QString text = qtText(note.text);
            for (const ParagraphPlace& place : note.places) {
                marks.at(place.article).add(int(place.paragraph), note.kind, text);
            }
        }
        for (std::size_t k = 0; k < kArticleCount; ++k) {
            controls_.articleBoxes[k]->setMarks(std::move(marks[k]));
        }
    } catch (const std::bad_alloc&) {
        takeBack();
        throw;
    }
}

void CheckRun::takeBack() {
    // Each box's edit is undone, so its text is what it was and the edit
    // waits in its redo history.
    for (std::size_t k = 0; k < kArticleCount; ++k) {
        if (boxReplaced_[k]) {
            controls_.articleBoxes[k]->undo();
        }
        controls_.articleBoxes[k]->clearMarks();
    }
    if (gridReplaced_) {
        controls_.gridBox->undo();
    }
    for (std::size_t k = 0; k < labelsBefore_.size(); ++k) {
        controls_.countLabels[k]->setText(labelsBefore_[k]);
    }
}

void CheckRun::showReport(QWidget* parent) const {
    QStringList notes;
    for (const ReportNote& note : result_.notes) {
        notes << qtText(note.text);
    }
    showReportBox(parent, qtText(result_.reportText()), notes);
}

std::optional<LongParagraph> CheckRun::longSpinTextParagraph() const {
    return findLongParagraph({std::u16string_view(spinText_.data(), spinText_.size())});
}

WrittenSpinText CheckRun::showSpinText() {
    controls_.outputBox->replaceText(spinText_);
    WrittenSpinText written(spinText_, std::move(separators_), format_);
    spinText_ = {};
    return written;
}

}  // namespace kestrelwick
