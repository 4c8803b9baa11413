#pragma once

// F8 and Shift+F8: the cursor to the start of the next (or previous) marked
// paragraph of the article boxes, in box order and then paragraph order,
// going round; the box takes the focus and shows the paragraph.

#include "window/form_controls.h"

namespace kestrelwick {

void goToMark(const FormControls& controls, bool forward);

}  // namespace kestrelwick
