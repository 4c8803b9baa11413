#include "window/spin_by_choice.h"

#include <QAbstractUndoItem>
#include <QLabel>
#include <QPointer>
#include <QSignalBlocker>

#include <memory>
#include <new>
#include <utility>

#include "files/files.h"
#include "processing/spinning.h"
#include "window/low_memory.h"
#include "window/messages.h"
#include "window/spin_format_choice.h"
#include "window/user_settings.h"

namespace kestrelwick {

namespace {

const QString kSettingsKey = QStringLiteral("spinBy");

// The items, in the order of SpinBy.
const std::array<QString, 2> kItems = {QStringLiteral("By paragraph"),
                                       QStringLiteral("By sentence")};

QString nameOf(SpinBy by) {
    return qtText(spinByWord(by));
}

// What the output box's name adds of how its groups are made: nothing for
// the default, "by sentence" otherwise.
QString groupingName(SpinBy by) {
    return by == SpinBy::Paragraph ? QString() : QStringLiteral("by ") + nameOf(by);
}

}  // namespace

// Undoing or redoing a switch in the output box shows the grouping its text
// is then in, with its minimum, and gives the format choice what it keeps of
// that text.
class BySwitch : public QAbstractUndoItem {
  public:
    struct Side {
        SpinBy by;
        QString minimum;
        WrittenSpinText written;
    };
    BySwitch(SpinByChoice* choice, Side from, Side to)
        : choice_(choice), from_(std::move(from)), to_(std::move(to)) {}
    void undo() override { put(from_, to_); }
    void redo() override { put(to_, from_); }
    // What the format choice kept of the text before the switch.
    void keepWrittenBefore(WrittenSpinText written) { from_.written = std::move(written); }

  private:
    // Shows one side; the format choice gives back what the other kept.
    void put(Side& shown, Side& other) {
        if (choice_) {
            choice_->show(shown.by);
            choice_->controls_.countLabels[kArticleCount]->setText(shown.minimum);
            other.written = choice_->formatChoice_->exchangeWritten(std::move(shown.written));
        }
    }

    QPointer<SpinByChoice> choice_;
    Side from_;
    Side to_;
};

SpinByChoice::SpinByChoice(const FormControls& controls, SpinFormatChoice* formatChoice,
                           QWidget* parent)
    : ChoiceBox(QStringLiteral("Spin by"),
                QStringLiteral("What a group of the spin text holds: a paragraph or a sentence"),
                parent),
      controls_(controls),
      formatChoice_(formatChoice) {
    for (const QString& item : kItems) {
        addItem(item);
    }
    shown_ = spinByOfWord(engineText(userSettings().value(kSettingsKey).toString()))
                 .value_or(SpinBy::Paragraph);
    setCurrentIndex(int(shown_));
    formatChoice_->nameGrouping(groupingName(shown_));
    connect(this, &QComboBox::currentIndexChanged, this, &SpinByChoice::changed);
}

SpinBy SpinByChoice::by() const {
    return shown_;
}

void SpinByChoice::setBy(SpinBy by) {
    setCurrentIndex(int(by));
}

void SpinByChoice::checkWritten(std::array<std::u16string, kArticleCount> texts) {
    checked_ = std::move(texts);
}

void SpinByChoice::forgetCheck() {
    checked_.reset();
}

void SpinByChoice::show(SpinBy by) {
    const QSignalBlocker quiet(this);
    shown_ = by;
    setCurrentIndex(int(by));
    formatChoice_->nameGrouping(groupingName(by));
    userSettings().setValue(kSettingsKey, nameOf(by));
}

void SpinByChoice::changed(int index) {
    const SpinBy from = shown_;
    if (index < 0 || std::size_t(index) >= kItems.size() || SpinBy(index) == from) {
        return;
    }
    const SpinBy to = SpinBy(index);
    if (!checked_) {
        show(to);  // the next check groups by it
        return;
    }
    try {
        rewrite(from, to);
    } catch (const std::bad_alloc&) {
        show(from);
        warnShortOfMemory(window(),
                          QStringLiteral("There is not enough memory to write the spin text by "
                                         "%1. The text and the choice are as they were.")
                              .arg(nameOf(to)));
    }
}

void SpinByChoice::rewrite(SpinBy from, SpinBy to) {
    TextBox* outputBox = controls_.outputBox;
    if (const std::u16string shown = outputBox->text();
        !shown.empty() && !formatChoice_->holdsWritten(shown) &&
        !askToGoOn(window(), QStringLiteral("The spin text has been edited since the last "
                                            "check. Write the last check's spin text by %1 "
                                            "over it?")
                                 .arg(nameOf(to)))) {
        show(from);
        return;
    }
    // Everything that takes memory is done before the box changes.
    const std::array<std::u16string, kArticleCount>& texts = *checked_;
    const SpinFormat format = formatChoice_->format();
    const CheckResult result = checkArticles({texts[0], texts[1], texts[2]}, format, to);
    std::vector<std::size_t> separators;
    WorkingText text = writeSpinText(result.spinText, format, &separators);
    QLabel* minimum = controls_.countLabels[kArticleCount];
    auto undo =
        std::make_unique<BySwitch>(this, BySwitch::Side{from, minimum->text(), {}},
                                   BySwitch::Side{to, qtText(result.captions[kArticleCount]), {}});
    WrittenSpinText written(text, std::move(separators), format);

    // One edit: the text, and the choice, the minimum and what the format
    // choice keeps, which undo and redo bring back with it.
    const bool edited = outputBox->replaceText(text);
    show(to);
    minimum->setText(qtText(result.captions[kArticleCount]));
    WrittenSpinText before = formatChoice_->exchangeWritten(std::move(written));
    if (edited) {
        undo->keepWrittenBefore(std::move(before));
        outputBox->joinToLastEdit(undo.release());
    }
}

}  // namespace kestrelwick
