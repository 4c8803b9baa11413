#pragma once

// The spin format that the output box holds, AMA format {a~b~c} or the pipe
// format {a|b|c}: a choice under the output box that screen readers read as
// "Spin format", kept across restarts in the user's settings. Check Articles
// writes the spin text and notes the spin marks in the chosen format.
// Changing the choice rewrites the output box's spin text in the new format,
// as one undoable edit, where the text reads as a spin text of the old one;
// any other text is left as it is.

#include <QComboBox>

#include "processing/spin_text.h"

namespace kestrelwick {

class TextBox;

class SpinFormatChoice : public QComboBox {
    Q_OBJECT

  public:
    SpinFormatChoice(TextBox* outputBox, QWidget* parent);

    SpinFormat format() const;
    void setFormat(SpinFormat format);

  private:
    void changed(int index);

    TextBox* outputBox_;
    SpinFormat shown_ = SpinFormat::Ama;
};

}  // namespace kestrelwick
