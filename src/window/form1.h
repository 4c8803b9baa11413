#pragma once

// Form1: Kestrelwick's one window.
//
// It holds the three article boxes Text1(0) to Text1(2), the spin-text output
// box Text1(3), the word-count grid Text2, the four result labels Label3(0) to
// Label3(3), the buttons Command1 (Check Articles) and Command2 (Clear form)
// and three link labels along the top. At the design size, a 910 x 820
// canvas, every control has its design rectangle; a larger or smaller window
// gives the difference to the four large boxes (layoutFor), down to a smallest
// canvas. The canvas lies in a scroll area, so that on a screen too small even
// for that the window still fits and every control can be scrolled to.
//
// The window does no article work itself. A click on Command1 hands the boxes
// and labels to the Check Articles engine (processing/check_articles.h)
// through a small adapter (window/form1_boxes.h) that speaks the engine's
// CR LF UTF-16 text and shows its report in a modal message box. The window's own handlers are the
// housekeeping ones: Clear form after a confirmation, trimming a Text1 box when
// the user leaves it, and opening the three websites through OpenLink.

#include <QIcon>
#include <QMargins>
#include <QRect>
#include <QStringList>
#include <QWidget>

#include <array>
#include <cstdint>

class QLabel;
class QPushButton;
class QScrollArea;
class QString;
class TextBox;
class LinkLabel;

class Form1 : public QWidget {
    Q_OBJECT

  public:
    explicit Form1(QWidget* parent = nullptr);

    // Kestrelwick's icon in every size it is drawn in.
    static QIcon applicationIcon();

    // Names the application as its messages and the desktop know it: the
    // title of its message boxes, its version, its icon, and the desktop entry
    // (kestrelwick.desktop) that window managers match its windows to.
    static void setUpApplication();

    // Sizes the window to its design size, or as much of it as fits the
    // screen's available area, and centres it there by its whole frame. The
    // frame is estimated until the window system reports it once the window
    // is shown; then the window is fitted again.
    void fitToScreen();

    QScrollArea* scrollArea() const { return Scroller; }

    // Puts the text of each file into the article boxes from the first on,
    // as the command line names them, each as an undoable edit. A file that
    // is refused leaves its box as it is, and files past the third are left
    // out; a message says so once the window is up.
    void openArticleFiles(const QStringList& paths);

    // Where every control goes on a canvas of the given size.
    struct Layout {
        std::array<QRect, 4> text1;
        std::array<QRect, 4> label3;
        QRect text2, command1, command2, label1, label2, label4;
    };
    static Layout layoutFor(QSize canvas);

    TextBox* text1(int index) const { return Text1.at(std::size_t(index)); }
    TextBox* text2() const { return Text2; }
    QLabel* label3(int index) const { return Label3.at(std::size_t(index)); }
    QPushButton* command1() const { return Command1; }
    QPushButton* command2() const { return Command2; }
    LinkLabel* label1() const { return Label1; }
    LinkLabel* label2() const { return Label2; }
    LinkLabel* label4() const { return Label4; }

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void fitWithin(const QMargins& frame);
    void createControls();
    void placeControls();
    void wireEvents();

    void checkArticles();
    void clearForm();
    // Takes the report's marks off the article boxes.
    void clearMarks();
    // Puts the cursor at the start of the next (or previous) marked
    // paragraph of the article boxes, going round, and shows it.
    void goToMark(bool forward);
    void trimBox(int index);
    // Files dropped on Text1(index), or on Text2 for index -1.
    void dropFiles(int index, const QStringList& paths);
    void showFileMessage(const QString& message);

    // Opens a link's website, or says that it cannot and shows the address
    // for the user to copy.
    void followLink(const QString& address);
    // Asks the desktop to open a web address; returns the shell's result:
    // above 32 when the address was taken.
    std::int32_t OpenLink(const QString& address, std::int32_t showState);

    QScrollArea* Scroller = nullptr;
    QWidget* Canvas = nullptr;
    // Set by fitToScreen until the window system has reported the frame.
    bool fitPending_ = false;

    std::array<TextBox*, 4> Text1{};
    TextBox* Text2 = nullptr;
    std::array<QLabel*, 4> Label3{};
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    LinkLabel* Label1 = nullptr;
    LinkLabel* Label2 = nullptr;
    LinkLabel* Label4 = nullptr;
};
