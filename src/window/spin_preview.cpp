#include "window/spin_preview.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

#include <string>
#include <variant>

#include "files/files.h"
#include "processing/spinning.h"
#include "window/low_memory.h"
#include "window/messages.h"
#include "window/spun_articles/spun_articles.h"
#include "window/widgets/widgets.h"

namespace kestrelwick {

namespace {

// Puts the box's cursor at a line and column (both from 1, the column in
// characters as the user sees them) and shows it.
void placeCursor(TextBox* box, std::size_t line, std::size_t column) {
    const QTextBlock block = box->document()->findBlockByNumber(int(line) - 1);
    if (!block.isValid()) {
        return;
    }
    const QString text = block.text();
    int at = 0;
    for (std::size_t seen = 1; seen < column && at < text.size(); ++seen) {
        at += text[at].isHighSurrogate() && at + 1 < text.size() ? 2 : 1;
    }
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + at);
    box->setTextCursor(cursor);
    box->setFocus(Qt::OtherFocusReason);
    box->ensureCursorVisible();
}

// An article spun from one seed.
struct Spun {
    std::uint64_t seed;
    OrRefusal<std::u16string> article;
};

Spun spin(std::u16string_view text, SpinFormat format) {
    const std::uint64_t seed = QRandomGenerator::global()->generate64();
    SpinRandom random(seed);
    return {seed, spinArticle(text, format, random)};
}

class SpinPreview : public QDialog {
  public:
    // The dialog opens on an article already spun from the text.
    SpinPreview(QWidget* parent, std::u16string spinText, const FoundFormat& found,
                const Spun& first)
        : QDialog(parent), spinText_(std::move(spinText)), found_(found) {
        setWindowTitle(QStringLiteral("Preview a spun article"));
        seed_ = new QLabel(this);
        seed_->setTextInteractionFlags(Qt::TextSelectableByMouse);
        seed_->setWordWrap(true);
        article_ = new QPlainTextEdit(this);
        article_->setReadOnly(true);
        article_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        article_->setAccessibleName(QStringLiteral("Spun article"));
        auto* buttons = new QDialogButtonBox(this);
        QPushButton* again =
            buttons->addButton(QStringLiteral("Spin &again"), QDialogButtonBox::ActionRole);
        QPushButton* copy =
            buttons->addButton(QStringLiteral("&Copy article"), QDialogButtonBox::ActionRole);
        QPushButton* save = buttons->addButton(QStringLiteral("&Save spun articles…"),
                                               QDialogButtonBox::ActionRole);
        QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
        connect(again, &QPushButton::clicked, this,
                [this] { show(kestrelwick::spin(spinText_, found_.format)); });
        connect(copy, &QPushButton::clicked, this,
                [this] { QApplication::clipboard()->setText(article_->toPlainText()); });
        connect(save, &QPushButton::clicked, this,
                [this] { saveSpunArticles(this, spinText_, found_.format); });
        connect(close, &QPushButton::clicked, this, &QDialog::accept);
        auto* layout = new QVBoxLayout(this);
        if (found_.mixed) {
            auto* mixed = new QLabel(QStringLiteral("Note: ") + qtText(*found_.mixed), this);
            mixed->setWordWrap(true);
            mixed->setTextFormat(Qt::PlainText);
            mixed->setObjectName(QStringLiteral("mixedFormats"));
            layout->addWidget(mixed);
        }
        layout->addWidget(article_);
        layout->addWidget(seed_);
        layout->addWidget(buttons);
        resize(640, 480);
        again->setDefault(true);
        show(first);
    }

  private:
    void show(const Spun& spun) {
        article_->setPlainText(qtText(std::get<std::u16string>(spun.article)));
        // The command that gives the same article from this spin text: the
        // format is named where --spin would not find it in the text alone.
        const QString format =
            found_.mixed && found_.format != findSpinFormat(spinText_, std::nullopt).format
                ? QStringLiteral(" --format ") + qtText(spinFormatRow(found_.format).commandWord)
                : QString();
        seed_->setText(QStringLiteral("Seed %1: kestrelwick --spin%2 --seed %1 gives this "
                                      "article from this spin text.")
                           .arg(spun.seed)
                           .arg(format));
    }

    std::u16string spinText_;
    FoundFormat found_;
    QLabel* seed_ = nullptr;
    QPlainTextEdit* article_ = nullptr;
};

}  // namespace

namespace {

void preview(QWidget* parent, TextBox* outputBox, SpinFormat shown) {
    if (outputBox->document()->isEmpty()) {
        warn(parent, QStringLiteral("There is no spin text yet. Press Check Articles to write it "
                                    "into the output box, or paste one there; then F9 spins "
                                    "an article from it."));
        return;
    }
    std::u16string spinText = outputBox->text();
    // The text's own format; where its groups hold no separator, or those of
    // several formats, the one the window shows.
    const FoundFormat found = findSpinFormat(spinText, std::nullopt, shown);
    const Spun first = spin(spinText, found.format);
    if (const auto* refusal = std::get_if<Refusal>(&first.article)) {
        placeCursor(outputBox, refusal->place->line, refusal->place->column);
        warn(parent, QStringLiteral("The spin text cannot be spun: ") + qtText(*refusal));
        placeCursor(outputBox, refusal->place->line, refusal->place->column);
        return;
    }
    SpinPreview dialog(parent, std::move(spinText), found, first);
    dialog.exec();
}

}  // namespace

void previewSpunArticle(QWidget* parent, TextBox* outputBox, SpinFormat shown) {
    try {
        preview(parent, outputBox, shown);
    } catch (const std::bad_alloc&) {
        warnShortOfMemory(parent, QStringLiteral("There is not enough memory to spin an article "
                                                 "from this text."));
    }
}

}  // namespace kestrelwick
