#pragma once

// The spin format that the output box holds, AMA format {a~b~c}, the pipe
// format {a|b|c} or any other of the formats' rows: a choice under the
// output box that screen readers read as "Spin format", kept across restarts
// in the user's settings. Check Articles writes the spin text and notes the
// spin marks in the chosen format, and the output box's name for screen
// readers says the format it holds and how its groups are made ("Spin text
// output, pipe format, by paragraph").
//
// The choice always names the format the output box holds:
//   - While the box holds the spin text of the last check unchanged, a
//     switch writes the check's groups again in the new format, exactly as
//     a check in it would (processing/written_spin_text.h).
//   - After the user has edited it, a switch changes only the separators
//     between each group's alternatives, where that keeps every group's
//     alternatives the same. Where an alternative holds the new separator,
//     nothing changes and a message says where; where the text cannot be
//     spun at all, the user is asked whether to switch and leave it as it is.
//   - A switch that rewrites the text is one edit that Ctrl+Z in the box takes
//     back, and undo and redo bring the choice back with the text.
//   - Saved work put back in the box at start brings its own format.
// A switch that runs short of memory leaves the text and the choice as they
// were, and says so.

#include <string_view>
#include <utility>

#include <string_view>

#include "processing/spinning.h"
#include "window/widgets/widgets.h"

namespace kestrelwick {

class SpinFormatChoice : public ChoiceBox {
    Q_OBJECT

  public:
    SpinFormatChoice(TextBox* outputBox, QWidget* parent);

    SpinFormat format() const;
    // Chooses a format, as the user does.
    void setFormat(SpinFormat format);

    // A check has written its spin text into the output box.
    void checkWritten(WrittenSpinText written);
    // Whether a text is the spin text last written by a check, or by a
    // switch of its grouping, in the format shown.
    bool holdsWritten(std::u16string_view text) const { return written_.holds(text, shown_); }
    // A switch of grouping has written the spin text (or undo or redo has
    // put it back): what the choice kept of the one before.
    WrittenSpinText exchangeWritten(WrittenSpinText written) {
        return std::exchange(written_, std::move(written));
    }
    // The output box has been loaded with saved work: the choice takes the
    // text's format where its groups tell it.
    void followText();
    // An opened spin text replaces the output box's as one edit, and the
    // choice follows its format as for saved work; Ctrl+Z in the box takes
    // back both. Throws std::bad_alloc, with both as they were, when memory
    // runs short.
    void openText(std::u16string_view text);
    // How the output box's groups are made, for its name: "by sentence", or
    // nothing for groups by paragraph.
    void nameGrouping(const QString& grouping);

  private:
    friend class FormatSwitch;
    void changed(int index);
    // The format a text is in, as saved work or an opened file is read.
    SpinFormat formatOf(std::u16string_view text) const;
    // Shows a format without touching the output box's text.
    void show(SpinFormat format);
    // Joins a change of the choice to the output box's last edit, so that
    // undo and redo bring it back with the text.
    void joinSwitchToEdit(SpinFormat from, SpinFormat to);
    void nameOutputBox();

    TextBox* outputBox_;
    SpinFormat shown_ = SpinFormat::Ama;
    QString grouping_;
    WrittenSpinText written_;
};

}  // namespace kestrelwick
