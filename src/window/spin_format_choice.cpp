#include "window/spin_format_choice.h"

#include "processing/spinner.h"
#include "window/user_settings.h"
#include "window/widgets/widgets.h"

namespace kestrelwick {

namespace {

const QString kSettingsKey = QStringLiteral("spinFormat");

QString settingOf(SpinFormat format) {
    return format == SpinFormat::Pipe ? QStringLiteral("pipe") : QStringLiteral("ama");
}

}  // namespace

SpinFormatChoice::SpinFormatChoice(TextBox* outputBox, QWidget* parent)
    : QComboBox(parent), outputBox_(outputBox) {
    // The items in the order of SpinFormat.
    addItem(QStringLiteral("AMA format {a~b~c}"));
    addItem(QStringLiteral("Pipe format {a|b|c}"));
    setAccessibleName(QStringLiteral("Spin format"));
    setToolTip(QStringLiteral("The spin format of the output box"));
    setFocusPolicy(Qt::StrongFocus);
    const bool pipe = userSettings().value(kSettingsKey).toString() == settingOf(SpinFormat::Pipe);
    shown_ = pipe ? SpinFormat::Pipe : SpinFormat::Ama;
    setCurrentIndex(int(shown_));
    connect(this, &QComboBox::currentIndexChanged, this, &SpinFormatChoice::changed);
}

SpinFormat SpinFormatChoice::format() const {
    return shown_;
}

void SpinFormatChoice::setFormat(SpinFormat format) {
    setCurrentIndex(int(format));
}

void SpinFormatChoice::changed(int index) {
    const SpinFormat from = shown_;
    shown_ = index == int(SpinFormat::Pipe) ? SpinFormat::Pipe : SpinFormat::Ama;
    userSettings().setValue(kSettingsKey, settingOf(shown_));
    if (from == shown_) {
        return;
    }
    if (const auto rewritten = changeSpinFormat(outputBox_->text(), from, shown_)) {
        outputBox_->replaceText(*rewritten);
    }
}

}  // namespace kestrelwick
