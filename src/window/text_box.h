#pragma once

#include <QPlainTextEdit>

#include <string>
#include <string_view>

// One of the window's multi-line boxes: plain text, wrapped at the box width,
// a vertical scroll bar always shown, Tab moving the focus instead of being
// typed.
//
// The boxes hold every code unit as typed or pasted. The Check Articles engine
// sees their line breaks as CR LF: text() gives each line break as CR LF and
// setText() makes each CR LF a line break. A line break arriving in any other
// form (LF alone, as the Linux clipboard carries it, or a lone CR) becomes a
// line break of the box as well, so pasted text always splits into its
// paragraphs.
class TextBox : public QPlainTextEdit {
    Q_OBJECT

  public:
    explicit TextBox(QWidget* parent = nullptr);

    std::u16string text() const;
    void setText(std::u16string_view text);

    // Removes the spaces at both ends of the whole text as one undoable edit;
    // a text without such spaces is left alone, view and undo history too.
    void trimSpaces();

  signals:
    // The focus moved to another control of the window. A context menu
    // opening or the window losing activation does not count.
    void left();

  protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
};

// Conversions between the engine's CR LF text and a box's own text, whose
// line breaks are paragraph separators (U+2029).
std::u16string engineTextFromRaw(const QString& raw);
QString rawFromEngineText(std::u16string_view text);
