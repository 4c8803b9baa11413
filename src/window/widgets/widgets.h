#pragma once

// The window's own widgets, for the form and the units beside it. The rest
// of the window includes this header, never the units inside:
//   text_box.h          the large boxes and the grid: plain text kept code
//                       unit for code unit, whole-text replacement as one
//                       undoable step, file drops and the report's marks
//   box_text.h          a box's own text and the engine's
//   paragraph_guard.h   no paragraph longer than a box takes, whatever the
//                       edit
//   paragraph_margin.h  the paragraph numbers beside a box's text
//   paragraph_marks.h   the tints and notes over marked paragraphs
//   push_buttons.h      buttons that Enter presses, captions that wrap
//   choice_box.h        a choice that screen readers read by its name
//   link_label.h        a label that acts as a hyperlink
//   design_font.h       the window's font and its stand-ins

#include "window/widgets/choice_box.h"
#include "window/widgets/design_font.h"
#include "window/widgets/link_label.h"
#include "window/widgets/paragraph_margin.h"
#include "window/widgets/paragraph_marks.h"
#include "window/widgets/push_buttons.h"
#include "window/widgets/text_box.h"
