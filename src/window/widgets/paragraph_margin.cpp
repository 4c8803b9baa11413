#include "window/widgets/paragraph_margin.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>

#include <algorithm>

namespace kestrelwick {

namespace {

// Space between the numbers and the margin's edges.
constexpr int kPadding = 4;

int digitsOf(std::size_t number) {
    int digits = 1;
    for (; number >= 10; number /= 10) {
        ++digits;
    }
    return digits;
}

}  // namespace

ParagraphMargin::ParagraphMargin(QPlainTextEdit& box, BoxLayout layout)
    : QWidget(&box), box_(box), layout_(std::move(layout)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(&box_, &QPlainTextEdit::blockCountChanged, this, &ParagraphMargin::fit);
    connect(&box_, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
        if (dy != 0) {
            scroll(0, dy);
        } else {
            update(0, rect.y(), width(), rect.height());
        }
    });
    fit();
}

void ParagraphMargin::setRowNumbers(std::optional<std::vector<std::size_t>> paragraphs) {
    rows_ = std::move(paragraphs);
    fit();
    update();
}

std::optional<std::size_t> ParagraphMargin::numberOf(int block) const {
    if (!rows_) {
        return std::size_t(block);
    }
    if (block < 0 || std::size_t(block) >= rows_->size()) {
        return std::nullopt;
    }
    return (*rows_)[std::size_t(block)];
}

int ParagraphMargin::neededWidth() const {
    std::size_t largest = 0;
    if (rows_) {
        largest = rows_->empty() ? 0 : *std::max_element(rows_->begin(), rows_->end());
    } else {
        largest = std::size_t(std::max(box_.blockCount(), 1) - 1);
    }
    return 2 * kPadding + fontMetrics().horizontalAdvance(u'9') * digitsOf(largest + 1);
}

void ParagraphMargin::fit() {
    const int needed = neededWidth();
    if (needed != width_) {
        width_ = needed;
        layout_.setLeftMargin(width_);
    }
    const QRect area = box_.contentsRect();
    setGeometry(area.left(), area.top(), width_, area.height());
}

void ParagraphMargin::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::PlaceholderText));
    const int lineHeight = fontMetrics().height();
    QTextBlock block = layout_.firstVisibleBlock();
    qreal top = layout_.blockRect(block).top();
    // The margin and the viewport both start at the top of the frame.
    while (block.isValid() && top <= event->rect().bottom()) {
        const qreal height = layout_.blockRect(block).height();
        if (block.isVisible() && top + height >= event->rect().top()) {
            if (const auto number = numberOf(block.blockNumber())) {
                painter.drawText(0, int(top), width_ - kPadding, lineHeight,
                                 Qt::AlignRight | Qt::AlignVCenter, QString::number(*number + 1));
            }
        }
        top += height;
        block = block.next();
    }
}

}  // namespace kestrelwick
