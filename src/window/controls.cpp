#include "window/controls.h"

#include <QMouseEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

void WrappingPushButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);

    // The style draws the bevel and the focus frame; the caption is drawn
    // separately so that it can wrap.
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    if (option.state & (QStyle::State_Sunken | QStyle::State_On)) {
        area.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                       style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    }
    painter.drawItemText(area, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic,
                         option.palette, isEnabled(), caption, QPalette::ButtonText);
}

namespace {
constexpr qreal kLinkPointSize = 8.25;
constexpr qreal kSmallestLinkPointSize = 6.0;

QFont linkFont(qreal pointSize) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(true);
    font.setUnderline(true);
    return font;
}
}  // namespace

LinkLabel::LinkLabel(const QString& caption, const QString& toolTip, QWidget* parent)
    : QLabel(caption, parent) {
    setFont(linkFont(kLinkPointSize));
    setForegroundRole(QPalette::Highlight);
    setToolTip(toolTip);
    setCursor(Qt::ArrowCursor);
    setFocusPolicy(Qt::NoFocus);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click) {
        emit clicked();
    }
}

void LinkLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    fitCaption();
}

void LinkLabel::fitCaption() {
    qreal size = kLinkPointSize;
    QFont font = linkFont(size);
    while (size > kSmallestLinkPointSize &&
           QFontMetrics(font).horizontalAdvance(text()) > contentsRect().width()) {
        size -= 0.25;
        font = linkFont(size);
    }
    setFont(font);
}
