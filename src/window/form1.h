#pragma once

// Form1: Kestrelwick's one window.
//
// It holds the three article boxes Text1(0) to Text1(2), the spin-text output
// box Text1(3), the word-count grid Text2, the four result labels Label3(0) to
// Label3(3), the buttons Command1 (Check Articles) and Command2 (Clear form)
// and three link labels along the top. Every control sits at a fixed position;
// resizing the window moves nothing.
//
// The window does no article work itself. A click on Command1 hands the boxes
// and labels to the Check Articles engine (processing/check_articles.h)
// through a small adapter that speaks the engine's CR LF UTF-16 text and shows
// its report in a modal message box. The window's own handlers are the
// housekeeping ones: Clear form after a confirmation, trimming a Text1 box when
// the user leaves it, and opening the three websites through OpenLink.

#include <QIcon>
#include <QWidget>

#include <array>
#include <cstdint>

class QLabel;
class QPushButton;
class QString;
class TextBox;
class LinkLabel;

class Form1 : public QWidget {
    Q_OBJECT

  public:
    explicit Form1(QWidget* parent = nullptr);

    // Kestrelwick's icon in every size it is drawn in.
    static QIcon applicationIcon();

    // Puts the window in the middle of the screen it is on.
    void centreOnScreen();

    TextBox* text1(int index) const { return Text1.at(std::size_t(index)); }
    TextBox* text2() const { return Text2; }
    QLabel* label3(int index) const { return Label3.at(std::size_t(index)); }
    QPushButton* command1() const { return Command1; }
    QPushButton* command2() const { return Command2; }
    LinkLabel* label1() const { return Label1; }
    LinkLabel* label2() const { return Label2; }
    LinkLabel* label4() const { return Label4; }

  private:
    void createControls();
    void placeControls();
    void wireEvents();

    void checkArticles();
    void clearForm();
    void trimBox(int index);

    // Asks the desktop to open a web address; returns the shell's result,
    // which nothing examines.
    std::int32_t OpenLink(const QString& address, std::int32_t showState);

    std::array<TextBox*, 4> Text1{};
    TextBox* Text2 = nullptr;
    std::array<QLabel*, 4> Label3{};
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    LinkLabel* Label1 = nullptr;
    LinkLabel* Label2 = nullptr;
    LinkLabel* Label4 = nullptr;
};
