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

namespace kestrelwick {

namespace {

// The most a dialog offers; the command line takes more.
constexpr std::uint64_t kMostArticles = 100000;
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

BatchDialog::BatchDialog(QWidget* parent, std::uint64_t articles, const QString& folder)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Save spun articles"));
    const int most = int(std::min(articles, kMostArticles));

    auto* intro = new QLabel(QStringLiteral("The spin text gives %1. Kestrelwick chooses them "
                                            "so that no two share more of their runs of four "
                                            "words than they must.")
                                 .arg(articlesText(articles)),
                             this);
    intro->setWordWrap(true);

    count_ = new QSpinBox(this);
    count_->setRange(1, most);
    count_->setValue(std::min(kFirstCount, most));
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

    folder_ = new QLineEdit(QDir::toNativeSeparators(folder), this);
    folder_->setAccessibleName(QStringLiteral("Folder"));
    auto* choose = new QPushButton(QStringLiteral("C&hoose…"), this);
    connect(choose, &QPushButton::clicked, this, [this] {
        if (const QString chosen = askForBatchFolder(this, this->folder()); !chosen.isEmpty()) {
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
    showNames();

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Articles:"), count_);
    form->addRow(QString(), limitRow);
    auto* folderLabel = new QLabel(QStringLiteral("F&older:"), this);
    folderLabel->setBuddy(folder_);
    form->addRow(folderLabel, folderRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
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

QString BatchDialog::folder() const {
    return QDir::fromNativeSeparators(folder_->text().trimmed());
}

void BatchDialog::showNames() {
    const auto count = std::size_t(count_->value());
    const QString last = batchFileName(count, count);
    names_->setText(
        limited_->isChecked()
            ? QStringLiteral("Up to %1 files, named article-1.txt and on; a file of the same "
                             "name is never overwritten.")
                  .arg(count)
        : count == 1 ? QStringLiteral("One file, %1; a file of the same name is never "
                                      "overwritten.")
                           .arg(last)
                     : QStringLiteral("%1 files, %2 to %3; a file of the same name is "
                                      "never overwritten.")
                           .arg(count)
                           .arg(batchFileName(1, count), last));
}

}  // namespace kestrelwick
