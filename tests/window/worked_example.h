#pragma once

// Puts the dog-training example into the window's three article boxes.

#include "dog_training_article.h"
#include "window/form1.h"
#include "window/text_box.h"

inline void fillWorkedExample(Form1& form) {
    form.text1(0)->setText(kestrelwick::testing::kDogs1);
    form.text1(1)->setText(kestrelwick::testing::kDogs2);
    form.text1(2)->setText(kestrelwick::testing::kDogs3);
}
