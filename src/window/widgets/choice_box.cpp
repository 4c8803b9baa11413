#include "window/widgets/choice_box.h"

#include <QAccessibleWidget>

namespace kestrelwick {

namespace {

// What screen readers are told of a choice: its name and the item chosen as
// its value.
class ChoiceAccessible : public QAccessibleWidget {
  public:
    explicit ChoiceAccessible(QComboBox* choice)
        : QAccessibleWidget(choice, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override {
        switch (kind) {
            case QAccessible::Name:
                return widget()->accessibleName();
            case QAccessible::Value:
                return static_cast<QComboBox*>(widget())->currentText();
            case QAccessible::Description:
                return widget()->toolTip();
            default:
                return QAccessibleWidget::text(kind);
        }
    }
    QStringList actionNames() const override {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == showMenuAction()) {
            static_cast<QComboBox*>(widget())->showPopup();
        } else {
            QAccessibleWidget::doAction(action);
        }
    }
};

// Asked for every class a widget is, from its own down: a choice of any
// kind is found as a ChoiceBox.
QAccessibleInterface* choiceAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(ChoiceBox::staticMetaObject.className()) && object != nullptr &&
        object->isWidgetType()) {
        return new ChoiceAccessible(static_cast<QComboBox*>(object));
    }
    return nullptr;
}

}  // namespace

ChoiceBox::ChoiceBox(const QString& name, const QString& description, QWidget* parent)
    : QComboBox(parent) {
    static const bool accessible = [] {
        QAccessible::installFactory(choiceAccessible);
        return true;
    }();
    Q_UNUSED(accessible);
    setAccessibleName(name);
    setToolTip(description);
    setFocusPolicy(Qt::StrongFocus);
}

}  // namespace kestrelwick
