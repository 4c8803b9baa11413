#include "window/window_actions.h"

#include <QAction>
#include <QShortcut>
#include <QWidget>

#include "window/article_files.h"
#include "window/mark_navigation.h"
#include "window/open_spin_text.h"
#include "window/save_spin_text.h"
#include "window/spin_format_choice.h"
#include "window/spin_preview.h"
#include "window/spun_articles/spun_articles.h"
#include "window/widgets/widgets.h"

namespace kestrelwick {

namespace {

QAction* windowAction(QWidget* window, const QString& text, const QKeySequence& keys) {
    auto* action = new QAction(text, window);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    window->addAction(action);
    return action;
}

}  // namespace

void addWindowActions(QWidget* window, const FormControls& controls, SpinFormatChoice* choice) {
    TextBox* output = controls.outputBox;
    QAction* preview =
        windowAction(window, QStringLiteral("Preview a spun article"), QKeySequence(Qt::Key_F9));
    QObject::connect(preview, &QAction::triggered, window, [window, output, choice] {
        previewSpunArticle(window, output, choice->format());
    });
    QAction* save = windowAction(window, QStringLiteral("Save spin text as…"), QKeySequence::Save);
    QObject::connect(save, &QAction::triggered, window,
                     [window, output] { saveSpinText(window, output); });
    auto* batch = new QAction(QStringLiteral("Save spun articles…"), window);
    QObject::connect(batch, &QAction::triggered, window, [window, output, choice] {
        saveSpunArticles(window, output->text(), choice->format());
    });
    auto* openSpin = new QAction(QStringLiteral("Open spin text…"), output);
    // The key as the menu shows it; the window's Ctrl+O answers it.
    openSpin->setShortcut(QKeySequence::Open);
    openSpin->setShortcutContext(Qt::WidgetShortcut);
    QObject::connect(openSpin, &QAction::triggered, window,
                     [window, choice] { openSpinTextDialog(window, choice); });
    for (QAction* action : {preview, save, batch, openSpin}) {
        output->addMenuAction(action);
    }

    // Ctrl+O opens a spin text into the output box with the focus there,
    // and otherwise an article into the article box with the focus, or the
    // first; each article box's menu opens into that box.
    QAction* open = windowAction(window, QStringLiteral("Open article…"), QKeySequence::Open);
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
        TextBox* box = controls.articleBoxes[k];
        auto* here = new QAction(QStringLiteral("Open article…"), box);
        // The key as the menu shows it; in the box itself the window's
        // action answers it.
        here->setShortcut(QKeySequence::Open);
        here->setShortcutContext(Qt::WidgetShortcut);
        QObject::connect(here, &QAction::triggered, window,
                         [window, controls, k] { openArticleDialog(window, controls, int(k)); });
        box->addMenuAction(here);
    }

    // F8 and Shift+F8 go from one marked paragraph to the next.
    QObject::connect(new QShortcut(QKeySequence(Qt::Key_F8), window), &QShortcut::activated, window,
                     [controls] { goToMark(controls, true); });
    QObject::connect(new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F8), window),
                     &QShortcut::activated, window, [controls] { goToMark(controls, false); });
}

}  // namespace kestrelwick
