#include "window/mark_navigation.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <optional>

#include "window/widgets/widgets.h"

namespace kestrelwick {

void goToMark(const FormControls& controls, bool forward) {
    std::array<const ParagraphMarks*, kArticleCount> marks{};
    std::optional<MarkPlace> from;
    for (std::size_t k = 0; k < kArticleCount; ++k) {
        const TextBox* box = controls.articleBoxes[k];
        marks[k] = &box->marks();
        if (box->hasFocus()) {
            from = MarkPlace{int(k), box->textCursor().blockNumber()};
        }
    }
    const std::optional<MarkPlace> to = nextMark(marks, from, forward);
    if (!to) {
        return;
    }
    TextBox* box = controls.articleBoxes.at(std::size_t(to->box));
    box->setTextCursor(QTextCursor(box->document()->findBlockByNumber(to->paragraph)));
    box->setFocus(Qt::ShortcutFocusReason);
    box->ensureCursorVisible();
}

}  // namespace kestrelwick
