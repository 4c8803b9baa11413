#pragma once

// Form1: Kestrelwick's one window.
//
// Three article boxes side by side and below one another, the output box
// that receives the spin text, the word-count grid, four count labels (each
// article's words, then the minimum length), the Check Articles and Clear
// form buttons, and three links along the top. At the design size, a
// 910 x 820 canvas, every control has its design rectangle; a larger or
// smaller window gives the difference to the four large boxes (layoutFor),
// down to a smallest canvas. The canvas lies in a scroll area, so that on a
// screen too small even for that the window still fits and every control can
// be scrolled to.
//
// The form keeps the controls, their layout and the two buttons' clicks. The
// rest has a unit of its own beside it:
//   form_controls.h   the controls by role, for the units below
//   large_boxes.h     how many large boxes there are
//   check_run.h       a check: the engine's result shown on the controls
//   report_box.h      the report's message box
//   messages.h        every other message, in one voice
//   low_memory.h      what the window does when memory runs short
//   window_application.h
//                     the application that catches a shortage no task did
//   paragraph_refusals.h
//                     texts refused for a paragraph longer than a box takes
//   screen_fit.h      the window sized and placed on its screen
//   links.h           the three websites' addresses
//   link_opener.h     a link's website opened through the desktop or shell
//                     (shell_open.h: the Windows shell's "open", on Windows)
//   article_files.h   files dropped on the boxes, named at start or opened
//   spin_format_choice.h
//                     the spin format, under the output box
//   box_hints.h       what each large box says while empty, and its tooltip
//   spin_by_choice.h  by paragraph or by sentence, beside it
//   window_actions.h  the actions on keys and in the boxes' menus:
//     shortcuts.h       the one list of the window's keys
//     help_window.h     the help (F1)
//     spin_preview.h    "Preview a spun article" (F9)
//     save_spin_text.h  "Save spin text as…" (Ctrl+S)
//     open_spin_text.h  "Open spin text…" (Ctrl+O in the output box)
//     spun_articles/spun_articles.h
//                       "Save spun articles…" (Ctrl+Shift+S), a room of its own
//     mark_navigation.h F8 and Shift+F8 between the report's marks
//   file_dialogs.h    the file dialogs, each in its last folder
//   user_settings.h   the user's settings
// and two rooms, each entered through one header:
//   widgets/widgets.h the controls themselves: the text boxes with their
//                     margins and marks, the buttons, the links, the font
//   saved_state/saved_state.h
//                     the user's work kept across runs (main() sets it up)
//
// Key to the names under which the window was first described:
//   Form1            this window
//   Text1(0..2)      articleBox(0..2)
//   Text1(3)         outputBox()
//   Text2            gridBox()
//   Label3(0..3)     countLabel(0..3)
//   Command1         checkButton()   "Check Articles & Generate AMA format"
//   Command2         clearButton()   "Clear form"
//   Label4, Label2, Label1
//                    link(Link::MagicArticleSubmitter),
//                    link(Link::ArticleMarketingAutomation),
//                    link(Link::UniqueArticleWizard)
//   OpenLink         openLink (link_opener.h)

#include <QIcon>
#include <QRect>
#include <QStringList>
#include <QWidget>

#include <array>

#include "window/form_controls.h"
#include "window/help_window.h"

class QLabel;
class QPushButton;
class QScrollArea;

namespace kestrelwick {

class LinkLabel;
class ScreenFit;
class SpinByChoice;
class SpinFormatChoice;

class Form1 : public QWidget {
    Q_OBJECT

  public:
    // The links, left to right.
    enum class Link { MagicArticleSubmitter, ArticleMarketingAutomation, UniqueArticleWizard };
    static constexpr std::size_t kLinkCount = 3;

    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // Kestrelwick's icon in every size it is drawn in.
    static QIcon applicationIcon();

    // Names the application as its messages and the desktop know it: the
    // title of its message boxes, its version, its icon, and the desktop entry
    // (kestrelwick.desktop) that window managers match its windows to.
    static void setUpApplication();

    // Sizes the window to its design size, or as much of it as fits the
    // screen, and centres it there (window/screen_fit.h).
    void fitToScreen();

    // Where this run keeps the user's work, for the help; by default the
    // saved work's own place (window/saved_state/saved_state.h).
    void setSavedWork(SavedWorkPlace place);

    // Puts the text of each file into the article boxes from the first on
    // (window/article_files.h).
    void openArticleFiles(const QStringList& paths);

    // Where every control goes on a canvas of the given size.
    struct Layout {
        std::array<QRect, kBoxCount> largeBoxes;  // the articles, then the output
        std::array<QRect, kArticleCount + 1> countLabels;
        QRect gridBox, checkButton, clearButton, formatChoice, byChoice;
        std::array<QRect, kLinkCount> links;
    };
    // At the design size, the design rectangles.
    static const Layout kDesignLayout;
    static Layout layoutFor(QSize canvas);

    QScrollArea* scrollArea() const { return scrollArea_; }
    const FormControls& controls() const { return controls_; }
    TextBox* articleBox(int index) const { return controls_.articleBoxes.at(std::size_t(index)); }
    TextBox* outputBox() const { return controls_.outputBox; }
    // The four large boxes by index: the articles, then the output box.
    TextBox* largeBox(int index) const { return controls_.largeBoxes().at(std::size_t(index)); }
    TextBox* gridBox() const { return controls_.gridBox; }
    QLabel* countLabel(int index) const { return controls_.countLabels.at(std::size_t(index)); }
    QPushButton* checkButton() const { return checkButton_; }
    QPushButton* clearButton() const { return clearButton_; }
    SpinFormatChoice* formatChoice() const { return formatChoice_; }
    SpinByChoice* byChoice() const { return byChoice_; }
    LinkLabel* link(Link which) const { return links_.at(std::size_t(which)); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createControls();
    void placeControls();
    void wireEvents();

    void checkArticles();
    void clearForm();
    void clearMarks();

    QScrollArea* scrollArea_ = nullptr;
    QWidget* canvas_ = nullptr;
    ScreenFit* screenFit_ = nullptr;
    FormControls controls_;
    QPushButton* checkButton_ = nullptr;
    QPushButton* clearButton_ = nullptr;
    SpinFormatChoice* formatChoice_ = nullptr;
    SpinByChoice* byChoice_ = nullptr;
    std::array<LinkLabel*, kLinkCount> links_{};
    SavedWorkPlace savedWork_;
};

}  // namespace kestrelwick
