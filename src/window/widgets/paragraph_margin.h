#pragma once

// The narrow margin at the left inside a text box that numbers its
// paragraphs as the report counts them: from 1, each line break ending one,
// empty lines included. A paragraph that wraps over several screen lines has
// its number on the first. The grid box numbers its lines instead with the
// paragraphs they count (setRowNumbers).
//
// The margin lies over the box's own viewport margin, so the box keeps its
// size and place and only its text area narrows; it scrolls with the text,
// widens with the digits of its largest number, and draws in the palette's
// placeholder-text colour. It is drawn beside the text, never part of it.

#include <QRectF>
#include <QTextBlock>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QPlainTextEdit;

namespace kestrelwick {

class ParagraphMargin : public QWidget {
    Q_OBJECT

  public:
    // What the margin is told of its box's layout, which the box alone can
    // see: the first block in view, a block's rectangle in the viewport, and
    // how to make room for the margin at the viewport's left.
    struct BoxLayout {
        std::function<QTextBlock()> firstVisibleBlock;
        std::function<QRectF(const QTextBlock&)> blockRect;
        std::function<void(int)> setLeftMargin;
    };

    ParagraphMargin(QPlainTextEdit& box, BoxLayout layout);

    // Numbers the lines with these paragraph numbers (from 0, shown from 1);
    // lines past the list have none. Without a list, each paragraph has its
    // own number.
    void setRowNumbers(std::optional<std::vector<std::size_t>> paragraphs);

    // The number shown beside a block of the box, if any.
    std::optional<std::size_t> numberOf(int block) const;
    // The width the margin takes from the box's text area.
    int neededWidth() const;
    // Sizes the margin to its numbers and places it along the box's left
    // edge; the box calls it when it is resized.
    void fit();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPlainTextEdit& box_;
    BoxLayout layout_;
    std::optional<std::vector<std::size_t>> rows_;
    int width_ = 0;
};

}  // namespace kestrelwick
