#pragma once

// What a group of the spin text holds: a paragraph's versions ("By
// paragraph", the default) or, where a paragraph's versions have as many
// sentences each, a sentence's ("By sentence"). A choice beside the spin
// format under the output box, read by screen readers as "Spin by" and kept
// across restarts in the user's settings; Check Articles groups by it, and
// the output box's name says it ("Spin text output, AMA format, by
// sentence").
//
// After a check, a switch writes the output box again from that check's
// texts, whatever the article boxes hold since, exactly as --check --by
// writes them, in the format the spin format choice shows, and the minimum's
// label with it:
//   - one edit, which Ctrl+Z in the box takes back, and undo and redo bring
//     the choice and the minimum back with the text;
//   - where the user has edited the spin text since, the switch asks first,
//     and No leaves the text and the choice as they were;
//   - running short of memory changes nothing, and says so.
// Before any check (and after Clear form) a switch only changes the choice.
//
// What the window keeps of the last check for this is the three article
// texts as the check read them, two bytes a character: about the size of the
// spin text, and a fraction of what the boxes themselves hold. A new check
// lets go of them before it starts.

#include <QString>

#include <array>
#include <optional>
#include <string>

#include "processing/check_articles.h"
#include "window/form_controls.h"
#include "window/widgets/widgets.h"

namespace kestrelwick {

class SpinFormatChoice;

class SpinByChoice : public ChoiceBox {
    Q_OBJECT

  public:
    SpinByChoice(const FormControls& controls, SpinFormatChoice* formatChoice, QWidget* parent);

    SpinBy by() const;
    // Chooses, as the user does.
    void setBy(SpinBy by);

    // A check has written its spin text: the texts it read, which a switch
    // checks again.
    void checkWritten(std::array<std::u16string, kArticleCount> texts);
    // No check to write the spin text from: a check is about to start, or
    // the form was cleared.
    void forgetCheck();

  private:
    friend class BySwitch;
    void changed(int index);
    // Shows a choice without touching the output box.
    void show(SpinBy by);
    // Writes the last check's spin text by the choice; the question's answer
    // decides where the user has edited it.
    void rewrite(SpinBy from, SpinBy to);

    const FormControls& controls_;
    SpinFormatChoice* formatChoice_;
    SpinBy shown_ = SpinBy::Paragraph;
    std::optional<std::array<std::u16string, kArticleCount>> checked_;
};

}  // namespace kestrelwick
