#include "window/widgets/link_label.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QMouseEvent>

#include "window/widgets/design_font.h"

namespace kestrelwick {

namespace {

constexpr qreal kLinkPointSize = 8.25;
constexpr qreal kSmallestLinkPointSize = 6.0;
constexpr qreal kLinkPointStep = 0.25;

QFont linkFont(qreal pointSize) {
    QFont font = designFont(pointSize);
    font.setBold(true);
    font.setUnderline(true);
    return font;
}

// What assistive technology sees of a LinkLabel.
class LinkLabelAccessible : public QAccessibleWidget {
  public:
    explicit LinkLabelAccessible(LinkLabel* link) : QAccessibleWidget(link, QAccessible::Link) {}

    QString text(QAccessible::Text kind) const override {
        switch (kind) {
            case QAccessible::Name:
                return link()->text();
            case QAccessible::Description:
                return link()->toolTip();
            default:
                return QAccessibleWidget::text(kind);
        }
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.linked = true;
        state.focusable = false;
        return state;
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& action) override {
        if (action == pressAction()) {
            link()->activate();
        }
    }

  private:
    LinkLabel* link() const { return static_cast<LinkLabel*>(widget()); }
};

QAccessibleInterface* linkLabelAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(LinkLabel::staticMetaObject.className()) && object != nullptr &&
        object->isWidgetType()) {
        return new LinkLabelAccessible(static_cast<LinkLabel*>(object));
    }
    return nullptr;
}

}  // namespace

LinkLabel::LinkLabel(const QString& caption, const QString& toolTip, QWidget* parent)
    : QLabel(caption, parent) {
    static const bool accessibleAsLink = [] {
        QAccessible::installFactory(linkLabelAccessible);
        return true;
    }();
    Q_UNUSED(accessibleAsLink);
    setFont(linkFont(kLinkPointSize));
    setForegroundRole(QPalette::Highlight);
    keepLinkColour();
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
        activate();
    }
}

void LinkLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && !keepingColour_) {
        keepLinkColour();
    }
}

void LinkLabel::keepLinkColour() {
    keepingColour_ = true;
    QPalette colours = palette();
    const QColor link = colours.color(QPalette::Active, QPalette::Highlight);
    colours.setColor(QPalette::Inactive, QPalette::Highlight, link);
    setPalette(colours);
    keepingColour_ = false;
}

void LinkLabel::activate() {
    emit clicked();
}

void LinkLabel::fitCaptions(const QList<LinkLabel*>& links) {
    const auto allFit = [&links](const QFont& font) {
        const QFontMetrics metrics(font);
        for (const LinkLabel* link : links) {
            if (metrics.horizontalAdvance(link->text()) > link->contentsRect().width()) {
                return false;
            }
        }
        return true;
    };
    qreal size = kLinkPointSize;
    QFont font = linkFont(size);
    while (size > kSmallestLinkPointSize && !allFit(font)) {
        size -= kLinkPointStep;
        font = linkFont(size);
    }
    for (LinkLabel* link : links) {
        link->setFont(font);
    }
}

}  // namespace kestrelwick
