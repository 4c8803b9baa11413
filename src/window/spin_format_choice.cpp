#include "window/spin_format_choice.h"

#include <QAbstractUndoItem>
#include <QPointer>
#include <QSignalBlocker>

#include <new>

#include "files/files.h"
#include "processing/spinning.h"
#include "window/low_memory.h"
#include "window/messages.h"
#include "window/user_settings.h"
#include "window/widgets/widgets.h"

namespace kestrelwick {

namespace {

const QString kSettingsKey = QStringLiteral("spinFormat");

QString nameOf(SpinFormat format) {
    return qtText(spinFormatRow(format).inSentence);
}

}  // namespace

// Undoing or redoing a switch in the output box shows the format its text
// is then in.
class FormatSwitch : public QAbstractUndoItem {
  public:
    FormatSwitch(SpinFormatChoice* choice, SpinFormat from, SpinFormat to)
        : choice_(choice), from_(from), to_(to) {}
    void undo() override {
        if (choice_) {
            choice_->show(from_);
        }
    }
    void redo() override {
        if (choice_) {
            choice_->show(to_);
        }
    }

  private:
    QPointer<SpinFormatChoice> choice_;
    SpinFormat from_;
    SpinFormat to_;
};

SpinFormatChoice::SpinFormatChoice(TextBox* outputBox, QWidget* parent)
    : ChoiceBox(QStringLiteral("Spin format"), QStringLiteral("The spin format of the output box"),
                parent),
      outputBox_(outputBox) {
    // The items in the order of the formats' rows.
    for (std::size_t f = 0; f < spinFormatCount(); ++f) {
        addItem(qtText(spinFormatRow(spinFormatAt(f)).choiceName));
    }
    shown_ = spinFormatOfSetting(engineText(userSettings().value(kSettingsKey).toString()))
                 .value_or(SpinFormat::Ama);
    setCurrentIndex(int(shown_));
    nameOutputBox();
    connect(this, &QComboBox::currentIndexChanged, this, &SpinFormatChoice::changed);
}

SpinFormat SpinFormatChoice::format() const {
    return shown_;
}

void SpinFormatChoice::setFormat(SpinFormat format) {
    setCurrentIndex(int(format));
}

void SpinFormatChoice::show(SpinFormat format) {
    const QSignalBlocker quiet(this);
    shown_ = format;
    setCurrentIndex(int(format));
    nameOutputBox();
    userSettings().setValue(kSettingsKey, qtText(spinFormatRow(format).settingsKey));
}

void SpinFormatChoice::nameGrouping(const QString& grouping) {
    grouping_ = grouping;
    nameOutputBox();
}

void SpinFormatChoice::nameOutputBox() {
    // What a screen reader says of the box follows the format it holds, and
    // how its groups are made.
    outputBox_->setAccessibleName(QStringLiteral("Spin text output, ") +
                                  qtText(spinFormatRow(shown_).name) +
                                  (grouping_.isEmpty() ? QString() : u", " + grouping_));
}

void SpinFormatChoice::checkWritten(WrittenSpinText written) {
    written_ = std::move(written);
}

SpinFormat SpinFormatChoice::formatOf(std::u16string_view text) const {
    // The text's own format where its groups tell it; where they hold no
    // separator, or those of several formats, the one shown.
    return findSpinFormat(text, std::nullopt, shown_).format;
}

void SpinFormatChoice::followText() {
    if (const SpinFormat found = formatOf(outputBox_->text()); found != shown_) {
        show(found);
    }
}

void SpinFormatChoice::openText(std::u16string_view text) {
    // Found before the box changes, so that running short changes nothing.
    const SpinFormat from = shown_;
    const SpinFormat to = formatOf(text);
    if (outputBox_->replaceText(text) && to != from) {
        show(to);
        joinSwitchToEdit(from, to);
    }
}

void SpinFormatChoice::joinSwitchToEdit(SpinFormat from, SpinFormat to) {
    outputBox_->joinToLastEdit(new FormatSwitch(this, from, to));
}

void SpinFormatChoice::changed(int index) {
    const SpinFormat from = shown_;
    if (index < 0 || std::size_t(index) >= spinFormatCount()) {
        return;
    }
    const SpinFormat to = spinFormatAt(std::size_t(index));
    if (from == to) {
        return;
    }
    if (outputBox_->document()->isEmpty()) {
        show(to);  // the next check writes in it
        return;
    }
    try {
        std::u16string text = outputBox_->text();
        bool rewrite = false;
        if (written_.holds(text, from)) {
            changeSeparators(text, written_.separators(), to);
            rewrite = !written_.separators().empty();
        } else {
            auto change = changeSpinFormat(text, from, to);
            const auto* refusal = std::get_if<Refusal>(&change);
            if (refusal != nullptr && refusal->kind == Refusal::Kind::WouldSplit) {
                show(from);
                warn(window(),
                     QStringLiteral("The spin text stays in %1: at line %2, column %3 an "
                                    "alternative holds %4, which %5 reads as a separator, so "
                                    "writing the text in it would split that alternative.")
                         .arg(nameOf(from))
                         .arg(refusal->place->line)
                         .arg(refusal->place->column)
                         .arg(QChar(spinMarks(to).separator))
                         .arg(nameOf(to)));
                return;
            }
            if (refusal != nullptr) {
                QString why = qtText(*refusal);
                why.chop(1);  // its full stop, inside the brackets
                if (askToGoOn(window(),
                              QStringLiteral("The spin text cannot be spun in %1 (%2), so it "
                                             "cannot be written in %3. Choose %3 all the same "
                                             "and leave the text as it is?")
                                  .arg(nameOf(from), why, nameOf(to)))) {
                    show(to);
                } else {
                    show(from);
                }
                return;
            }
            std::u16string& changed = std::get<std::u16string>(change);
            rewrite = changed != text;
            text = std::move(changed);
        }
        if (!rewrite) {
            show(to);  // no separator to change
            return;
        }
        // One edit: the text, and the choice that undo and redo bring back
        // with it.
        outputBox_->replaceText(text);
        show(to);
        joinSwitchToEdit(from, to);
    } catch (const std::bad_alloc&) {
        show(from);
        warnShortOfMemory(window(),
                          QStringLiteral("There is not enough memory to write the spin text in "
                                         "%1. The text and the choice are as they were.")
                              .arg(nameOf(to)));
    }
}

}  // namespace kestrelwick
