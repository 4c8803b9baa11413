#pragma once

// A label that acts as a hyperlink: bold, underlined, in the highlight colour
// of the user's palette (its active one, also while another window is
// active), reacting to a left click only and never taking the
// focus. Screen readers see it as a link, named by its caption and described
// by its tooltip, whose press action does what a click does.

#include <QLabel>
#include <QList>

namespace kestrelwick {

class LinkLabel : public QLabel {
    Q_OBJECT

  public:
    LinkLabel(const QString& caption, const QString& toolTip, QWidget* parent = nullptr);

    // Follows the link, as a click does.
    void activate();

    // Sets the captions of the links in one point size: the largest, down
    // from MS Sans Serif's 8.25 points, at which each fits its rectangle. The
    // desktop's stand-in for that face is often wider than the original.
    static void fitCaptions(const QList<LinkLabel*>& links);

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // Draws the caption in the palette's active highlight colour whether or
    // not the window is active: Windows' own palette gives an inactive window
    // the button face as its highlight, which would hide the links while a
    // message box is open.
    void keepLinkColour();

    bool pressed_ = false;
    bool keepingColour_ = false;
};

}  // namespace kestrelwick
