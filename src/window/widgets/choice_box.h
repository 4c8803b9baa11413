#pragma once

// A choice under the output box, such as the spin format: a combo box that
// screen readers read by its own name ("Spin format") with the item chosen
// as its value, as they read a labelled choice. (Qt's own combo box gives
// the current item as its name on Linux.) Its tooltip is its description,
// and its menu opens as a screen reader's action.

#include <QComboBox>

namespace kestrelwick {

class ChoiceBox : public QComboBox {
    Q_OBJECT

  public:
    // name: what screen readers call the choice; description: its tooltip.
    ChoiceBox(const QString& name, const QString& description, QWidget* parent);
};

}  // namespace kestrelwick
