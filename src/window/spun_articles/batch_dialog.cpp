#include "window/spun_articles/batch_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

#include "files/files.h"
#include "window/file_dialogs.h"
#include "window/messages.h"
#include "window/spun_articles/batch_folder.h"
#include "window/user_settings.h"

namespace kestrelwick {

namespace {

const QString kCountKey = QStringLiteral("batch/count");
constexpr int kFirstCount = 10;
constexpr int kFirstShare = 40;

QString articlesText(std::uint64_t articles) {
    if (articles >= 1'000'000'000'000u) {
        return QStringLiteral("more than a million million different articles");
    }
    return articles == 1 ? QStringLiteral("1 article")
                         : QStringLiteral("%1 different articles").arg(articles);
}

}  // namespace

BatchDialog::BatchDialog(QWidget* parent, const BatchOffer& offer)
    : QDialog(parent), offer_(offer) {
    setWindowTitle(QStringLiteral("Save spun articles"));

    auto* intro = new QLabel(QStringLiteral("The spin text gives %1. Kestrelwick chooses them "
                                            "so that no two share more of their runs of four "
                                            "words than they must, and keeps them apart from "
                                            "the three articles you wrote.")
                                 .arg(articlesText(offer.articles)),
                             this);
    intro->setWordWrap(true);

    count_ = new QSpinBox(this);
    count_->setAccessibleName(QStringLiteral("Number of articles"));

    limited_ =
        new QCheckBox(QStringLiteral("&Fewer where need be, so that no two share more than"), this);
    share_ = new QSpinBox(this);
    share_->setRange(0, 100);
    share_->setValue(kFirstShare);
    share_->setSuffix(QStringLiteral(" %"));
    share_->setEnabled(false);
    share_->setAccessibleName(QStringLiteral("Share limit"));
    connect(limited_, &QCheckBox::toggled, share_, &QWidget::setEnabled);
    auto* limitRow = new QHBoxLayout;
    limitRow->addWidget(limited_);
    limitRow->addWidget(share_);
    limitRow->addStretch();

    written_ = new QCheckBox(
        QStringLiteral(
            "&Take the three articles you wrote too (for when you publish none of them)"),
        this);

    folder_ = new QLineEdit(offer.folder, this);
    folder_->setAccessibleName(QStringLiteral("Folder"));
    auto* choose = new QPushButton(QStringLiteral("C&hoose…"), this);
    connect(choose, &QPushButton::clicked, this, [this] {
        const QString start = typedFolder(folder_->text()).value_or(QString());
        if (const QString chosen = askForBatchFolder(this, start); !chosen.isEmpty()) {
            folder_->setText(QDir::toNativeSeparators(chosen));
        }
    });
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(folder_, 1);
    folderRow->addWidget(choose);

    names_ = new QLabel(this);
    names_->setWordWrap(true);
    connect(count_, &QSpinBox::valueChanged, this, &BatchDialog::showNames);
    connect(limited_, &QCheckBox::toggled, this, &BatchDialog::showNames);
    connect(written_, &QCheckBox::toggled, this, &BatchDialog::showRange);
    showRange();
    count_->setValue(userSettings().value(kCountKey, kFirstCount).toInt());
    showNames();

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Articles:"), count_);
    form->addRow(QString(), limitRow);
    form->addRow(QString(), written_);
    auto* folderLabel = new QLabel(QStringLiteral("F&older:"), this);
    folderLabel->setBuddy(folder_);
    form->addRow(folderLabel, folderRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    if (!offer.note.isEmpty()) {
        auto* note = new QLabel(offer.note, this);
        note->setWordWrap(true);
        note->setTextFormat(Qt::PlainText);
        note->setObjectName(QStringLiteral("note"));
        layout->addWidget(note);
    }
    layout->addLayout(form);
    layout->addWidget(names_);
    layout->addWidget(buttons);
    count_->setFocus();
}

std::uint64_t BatchDialog::count() const {
    return std::uint64_t(count_->value());
}

std::optional<int> BatchDialog::maxShare() const {
    return limited_->isChecked() ? std::optional<int>(share_->value()) : std::nullopt;
}

bool BatchDialog::withWritten() const {
    return written_->isChecked();
}

QString BatchDialog::folder() const {
    return typedFolder(folder_->text()).value_or(QString());
}

void BatchDialog::done(int result) {
    if (result == QDialog::Accepted) {
        if (folder_->text().trimmed().isEmpty()) {
            warn(this, QStringLiteral("Say which folder the articles go to."));
            return;
        }
        if (!typedFolder(folder_->text())) {
            warn(this, QStringLiteral("\"%1\" is not a whole path: give the folder from the top, "
                                      "such as \"%2\", or start it with ~ for your home folder.")
                           .arg(folder_->text().trimmed(),
                                QDir::toNativeSeparators(QDir::home().filePath(
                                    QStringLiteral("Documents/Spun articles")))));
            return;
        }
        userSettings().setValue(kCountKey, count_->value());
    }
    QDialog::done(result);
}

void BatchDialog::showRange() {
    // The most a dialog offers: what the text gives, less the articles the
    // user wrote unless they may be taken, and never more than a batch can be.
    const std::uint64_t most = std::min<std::uint64_t>(
        written_->isChecked() ? offer_.articles : offer_.notWritten, kMostArticlesInABatch);
    count_->setRange(most == 0 ? 0 : 1, int(most));
}

void BatchDialog::showNames() {
    const auto count = std::size_t(count_->value());
    const QString last = batchFileName(count, count);
    names_->setText(
        limited_->isChecked()
            ? QStringLiteral("Up to %1 files, named article-1.txt and on, and shares.csv; a file "
                             "of the same name is never overwritten.")
                  .arg(count)
        : count == 1 ? QStringLiteral("One file, %1, and shares.csv; a file of the same name is "
                                      "never overwritten.")
                           .arg(last)
                     : QStringLiteral("%1 files, %2 to %3, and shares.csv; a file of the same "
                                      "name is never overwritten.")
                           .arg(count)
                           .arg(batchFileName(1, count), last));
}

}  // namespace kestrelwick
