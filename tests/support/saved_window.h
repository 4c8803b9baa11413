#pragma once

// The saved work's tests: a window with its saved state, as main() makes
// them, and the texts of its boxes and of a state file.

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTimer>

#include <memory>
#include <optional>
#include <string>

#include "support/modal.h"
#include "window/form1.h"
#include "window/saved_state/saved_state.h"
#include "window/widgets/widgets.h"

namespace kestrelwick::testing {

// Every kind of code unit a box keeps: CR LF, a tab, a non-breaking space, a
// surrogate pair, a line separator, spaces at the ends.
inline const StateTexts kOdd = {u" Caf\u00e9\u00a0au\tlait \U0001F375\r\nsecond\r\n\r\n",
                                u"\u2028x\r\n  two  ", u"", u"{spun~text}\r\n\r\n"};

inline StateTexts boxTexts(const Form1& form) {
    StateTexts texts;
    for (std::size_t k = 0; k < texts.size(); ++k) {
        texts[k] = form.largeBox(int(k))->text();
    }
    return texts;
}

inline std::optional<StateTexts> fileTexts(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return decodeStateFile(file.readAll());
}

inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A window and its saved state.
struct Window {
    std::unique_ptr<Form1> form = std::make_unique<Form1>();
    std::unique_ptr<SavedState> state;
    bool owns = false;

    explicit Window(const QString& path)
        : state(std::make_unique<SavedState>(form.get(), form->controls().largeBoxes(), path)),
          owns(state->restore()) {
        form->show();
    }
    // As the program ends: the window closes (Yes to any question on the
    // way), then everything goes.
    ~Window() {
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                box->button(box->standardButtons().testFlag(QMessageBox::Yes) ? QMessageBox::Yes
                                                                              : QMessageBox::Ok)
                    ->click();
            }
        });
        answer.start(5);
        form->close();
        answer.stop();
        state.reset();
        form.reset();
    }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
};

}  // namespace kestrelwick::testing
