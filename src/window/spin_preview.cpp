#include "window/spin_preview.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

#include <string>
#include <variant>

#include "files/engine_text.h"
#include "processing/spinner.h"
#include "window/messages.h"
#include "window/widgets/widgets.h"

namespace kestrelwick {

namespace {

// Puts the box's cursor at a line and column (both from 1) and shows it.
void placeCursor(TextBox* box, std::size_t line, std::size_t column) {
    const QTextBlock block = box->document()->findBlockByNumber(int(line) - 1);
    if (!block.isValid()) {
        return;
    }
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + std::min(int(column) - 1, block.length() - 1));
    box->setTextCursor(cursor);
    box->setFocus(Qt::OtherFocusReason);
    box->ensureCursorVisible();
}

class SpinPreview : public QDialog {
  public:
    // The dialog opens on an article already spun from the text.
    SpinPreview(QWidget* parent, std::u16string spinText, SpinFormat format,
                const std::u16string& first)
        : QDialog(parent), spinText_(std::move(spinText)), format_(format) {
        setWindowTitle(QStringLiteral("Preview a spun article"));
        article_ = new QPlainTextEdit(this);
        article_->setReadOnly(true);
        article_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        article_->setAccessibleName(QStringLiteral("Spun article"));
        auto* buttons = new QDialogButtonBox(this);
        QPushButton* again =
            buttons->addButton(QStringLiteral("Spin &again"), QDialogButtonBox::ActionRole);
        QPushButton* copy =
            buttons->addButton(QStringLiteral("&Copy article"), QDialogButtonBox::ActionRole);
        QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
        connect(again, &QPushButton::clicked, this, &SpinPreview::spin);
        connect(copy, &QPushButton::clicked, this,
                [this] { QApplication::clipboard()->setText(article_->toPlainText()); });
        connect(close, &QPushButton::clicked, this, &QDialog::accept);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(article_);
        layout->addWidget(buttons);
        resize(640, 480);
        again->setDefault(true);
        article_->setPlainText(qtText(first));
    }

  private:
    void spin() {
        SpinRandom random(QRandomGenerator::global()->generate64());
        const auto spun = spinArticle(spinText_, format_, random);
        article_->setPlainText(qtText(std::get<std::u16string>(spun)));
    }

    std::u16string spinText_;
    SpinFormat format_;
    QPlainTextEdit* article_ = nullptr;
};

}  // namespace

void previewSpunArticle(QWidget* parent, TextBox* outputBox, SpinFormat format) {
    std::u16string spinText = outputBox->text();
    SpinRandom random(QRandomGenerator::global()->generate64());
    const auto spun = spinArticle(spinText, format, random);
    if (const auto* error = std::get_if<SpinError>(&spun)) {
        placeCursor(outputBox, error->line, error->column);
        warn(parent, QStringLiteral("The spin text cannot be spun: ") + qtText(error->text()));
        placeCursor(outputBox, error->line, error->column);
        return;
    }
    SpinPreview preview(parent, std::move(spinText), format, std::get<std::u16string>(spun));
    preview.exec();
}

}  // namespace kestrelwick
