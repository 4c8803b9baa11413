#include "window/window_actions.h"

#include <QAction>
#include <QMenu>
#include <QShortcut>
#include <QWidget>

#include "window/article_files.h"
#include "window/mark_navigation.h"
#include "window/open_spin_text.h"
#include "window/save_spin_text.h"
#include "window/shortcuts.h"
#include "window/spin_format_choice.h"
#include "window/spin_preview.h"
#include "window/spun_articles/spun_articles.h"
#include "window/widgets/widgets.h"

namespace kestrelwick {

namespace {

// An action whose keys work anywhere in the window.
QAction* windowAction(QWidget* window, Command command) {
    QAction* action = commandAction(command, window);
    action->setShortcutContext(Qt::WindowShortcut);
    window->addAction(action);
    return action;
}

// An item of one box's menu for a key that the window answers: the menu
// shows the key, and only the open menu answers it itself.
QAction* menuAction(QWidget* box, Command command) {
    QAction* action = commandAction(command, box);
    action->setShortcutContext(Qt::WidgetShortcut);
    return action;
}

}  // namespace

void addWindowActions(QWidget* window, const FormControls& controls, SpinFormatChoice* choice,
                      std::function<SavedWorkPlace()> savedWork) {
    TextBox* output = controls.outputBox;
    QAction* preview = windowAction(window, Command::Preview);
    QObject::connect(preview, &QAction::triggered, window, [window, output, choice] {
        previewSpunArticle(window, output, choice->format());
    });
    QAction* save = windowAction(window, Command::SaveSpinText);
    QObject::connect(save, &QAction::triggered, window,
                     [window, output] { saveSpinText(window, output); });
    QAction* batch = windowAction(window, Command::SaveSpunArticles);
    QObject::connect(batch, &QAction::triggered, window, [window, output, choice] {
        saveSpunArticles(window, output->text(), choice->format());
    });
    QAction* openSpin = menuAction(output, Command::OpenSpinText);
    QObject::connect(openSpin, &QAction::triggered, window,
                     [window, choice] { openSpinTextDialog(window, choice); });
    for (QAction* action : {preview, save, batch, openSpin}) {
        output->addMenuAction(action);
    }

    // Ctrl+O opens a spin text into the output box with the focus there,
    // and otherwise an article into the article box with the focus, or the
    // first; each article box's menu opens into that box.
    QAction* open = windowAction(window, Command::OpenArticle);
    QObject::connect(open, &QAction::triggered, window, [window, controls, choice] {
        if (controls.outputBox->hasFocus()) {
            openSpinTextDialog(window, choice);
            return;
        }
        int index = 0;
        for (std::size_t k = 0; k < kArticleCount; ++k) {
            if (controls.articleBoxes[k]->hasFocus()) {
                index = int(k);
            }
        }
        openArticleDialog(window, controls, index);
    });
    for (std::size_t k = 0; k < kArticleCount; ++k) {
        QAction* here = menuAction(controls.articleBoxes[k], Command::OpenArticle);
        QObject::connect(here, &QAction::triggered, window,
                         [window, controls, k] { openArticleDialog(window, controls, int(k)); });
        controls.articleBoxes[k]->addMenuAction(here);
    }

    // Help, last in every box's menu; every menu opens from the keyboard
    // and names Qt's own items.
    QAction* help = windowAction(window, Command::Help);
    QObject::connect(help, &QAction::triggered, window,
                     [window, savedWork] { showHelp(window, savedWork()); });
    auto boxes = controls.largeBoxes();
    for (TextBox* box : {boxes[0], boxes[1], boxes[2], boxes[3], controls.gridBox}) {
        auto* separator = new QAction(box);
        separator->setSeparator(true);
        box->addMenuAction(separator);
        box->addMenuAction(help);
        box->setMenuKeys(keySequences(Command::BoxMenu));
        box->setMenuNamer([](QMenu& menu) { nameQtMenuItems(menu); });
    }

    // F8 and Shift+F8 go from one marked paragraph to the next.
    for (const bool forward : {true, false}) {
        const Command command = forward ? Command::NextMark : Command::PreviousMark;
        QObject::connect(new QShortcut(keySequences(command).front(), window),
                         &QShortcut::activated, window,
                         [controls, forward] { goToMark(controls, forward); });
    }
}

}  // namespace kestrelwick
