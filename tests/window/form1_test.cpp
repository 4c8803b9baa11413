// Drives the real Form1 through Qt's event system, headless.

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleTextInterface>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTimer>
#include <QUrl>
#include <QtTest>

#include <functional>

#include "dog_training_article.h"
#include "window/controls.h"
#include "window/form1.h"
#include "window/modal.h"
#include "window/text_box.h"
#include "window/worked_example.h"

namespace {

const QString kTitle = QStringLiteral("Check minimum article length, convert to AMA format");

std::u16string u16(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          std::size_t(text.size()));
}

class FocusOutRecorder : public QObject {
  public:
    QList<Qt::FocusReason> reasons;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusOut) {
            reasons.append(static_cast<QFocusEvent*>(event)->reason());
        }
        return false;
    }
};

// On Windows the links open through the shell's own call, which the tests of
// that call cover; here it would start a browser.
#ifdef Q_OS_WIN
#define SKIP_WHERE_LINKS_GO_THROUGH_THE_SHELL() \
    QSKIP("links open through the Windows shell, tested on their own")
#else
#define SKIP_WHERE_LINKS_GO_THROUGH_THE_SHELL()
#endif

class UrlRecorder : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> urls;
  public slots:
    void open(const QUrl& url) { urls.append(url); }
};

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<Form1> form;

    void showForm() {
        form = std::make_unique<Form1>();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }

  private slots:
    void initTestCase() { Form1::setUpApplication(); }

    void applicationIsKnownToTheDesktop() {
        QCOMPARE(QApplication::applicationName(), QStringLiteral("prjKestrelwick"));
        QCOMPARE(QApplication::applicationVersion(), QStringLiteral("1.00"));
        // The Wayland app id, and the entry that the package installs.
        const QString entry = QGuiApplication::desktopFileName();
        QVERIFY(QFile::exists(QStringLiteral(KESTRELWICK_SOURCE_DIR "/resources/") + entry +
                              QStringLiteral(".desktop")));
        QVERIFY(!QApplication::windowIcon().isNull());
    }
    void init() { showForm(); }
    void cleanup() { form.reset(); }

    void startsEmptyWithEveryControlInPlace() {
        QCOMPARE(form->windowTitle(), kTitle);
        QCOMPARE(form->size(), QSize(910, 820));
        QCOMPARE(QApplication::focusWidget(), form->text1(0));

        const QRect text1Rects[] = {
            {16, 48, 417, 297}, {456, 48, 417, 297}, {16, 368, 417, 297}, {456, 368, 417, 297}};
        const QRect label3Rects[] = {
            {16, 344, 209, 25}, {456, 344, 209, 25}, {16, 664, 209, 25}, {456, 664, 209, 25}};
        for (int k = 0; k < 4; ++k) {
            QCOMPARE(form->text1(k)->geometry(), text1Rects[k]);
            QCOMPARE(form->label3(k)->geometry(), label3Rects[k]);
            QVERIFY(form->text1(k)->text().empty());
            QVERIFY(form->label3(k)->text().isEmpty());
            QCOMPARE(form->text1(k)->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
            QCOMPARE(form->text1(k)->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
            QCOMPARE(form->text1(k)->lineWrapMode(), QPlainTextEdit::WidgetWidth);
            QVERIFY(!form->text1(k)->isReadOnly());
        }
        QCOMPARE(form->text2()->geometry(), QRect(16, 688, 417, 113));
        QVERIFY(form->text2()->text().empty());
        QCOMPARE(form->command1()->geometry(), QRect(472, 704, 201, 73));
        QCOMPARE(form->command2()->geometry(), QRect(784, 736, 97, 41));
        QCOMPARE(form->label1()->geometry(), QRect(432, 16, 137, 25));
        QCOMPARE(form->label2()->geometry(), QRect(208, 16, 177, 25));
        QCOMPARE(form->label4()->geometry(), QRect(24, 16, 137, 25));

        // Boxes are drawn over the labels that they overlap.
        QWidget* atOverlap = form->childAt(100, 344);
        QVERIFY(atOverlap == form->text1(0) || form->text1(0)->isAncestorOf(atOverlap));

        // A larger window gives the four large boxes the room.
        form->resize(1200, 1000);
        QTRY_COMPARE(form->command2()->geometry(), QRect(1074, 916, 97, 41));
        QCOMPARE(form->text1(3)->geometry(), QRect(601, 458, 562, 387));
    }

    void carriesTheIcon() {
        const QList<QSize> sizes = form->windowIcon().availableSizes();
        QVERIFY(sizes.contains(QSize(16, 16)));
        QVERIFY(sizes.contains(QSize(32, 32)));

        // The Windows icon file: exactly a 16 x 16 image at 8 bits per pixel
        // and a 32 x 32 one at 32 bits per pixel, with nothing transparent.
        QFile file(QStringLiteral(KESTRELWICK_SOURCE_DIR "/resources/kestrelwick.ico"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray ico = file.readAll();
        const auto word = [&ico](qsizetype at) {
            return int(quint8(ico[at])) | int(quint8(ico[at + 1])) << 8;
        };
        const auto dword = [&](qsizetype at) { return word(at) | word(at + 2) << 16; };
        QCOMPARE(word(2), 1);  // an icon
        QCOMPARE(word(4), 2);  // two images
        const struct { int size, bits; } expected[] = {{16, 8}, {32, 32}};
        for (int i = 0; i < 2; ++i) {
            const qsizetype entry = 6 + 16 * i;
            QCOMPARE(int(quint8(ico[entry])), expected[i].size);
            const qsizetype image = dword(entry + 12);
            QCOMPARE(word(image + 14), expected[i].bits);
            const int size = expected[i].size;
            qsizetype pixels = image + 40 + (expected[i].bits == 8 ? 1024 : 0);
            const qsizetype pixelBytes =
                expected[i].bits == 8 ? (size + 3) / 4 * 4 * size : qsizetype(size) * size * 4;
            if (expected[i].bits == 32) {
                for (qsizetype p = pixels + 3; p < pixels + pixelBytes; p += 4) {
                    QCOMPARE(quint8(ico[p]), quint8(255));
                }
            }
            // The AND mask that follows marks every pixel opaque.
            const qsizetype mask = pixels + pixelBytes;
            for (qsizetype m = mask; m < mask + (size + 31) / 32 * 4 * size; ++m) {
                QCOMPARE(quint8(ico[m]), quint8(0));
            }
        }
    }

    void buttonsAndLabelsLookAsSpecified() {
        QCOMPARE(form->command1()->text(), QStringLiteral("Check Articles && Generate AMA format"));
        QCOMPARE(form->command2()->text(), QStringLiteral("Clear form"));
        for (QPushButton* button : {form->command1(), form->command2()}) {
            QVERIFY(!button->isDefault());
            QVERIFY(!button->autoDefault());
            QCOMPARE(button->focusPolicy(), Qt::StrongFocus);
        }
        // The wrapped caption must fit: two lines of the default font.
        const QFontMetrics metrics(form->command1()->font());
        const QRect needed =
            metrics.boundingRect(QRect(0, 0, 201 - 12, 1000), Qt::TextWordWrap,
                                 QStringLiteral("Check Articles & Generate AMA format"));
        QVERIFY(needed.height() < 73);

        const struct {
            LinkLabel* label;
            const char* caption;
            const char* tip;
        } links[] = {
            {form->label1(), "Unique Article Wizard", "Go to Unique Article Wizard website"},
            {form->label2(), "Article Marketing Automation",
             "Go to Article Marketing Automation website"},
            {form->label4(), "Magic Article Submitter", "Go to Magic Article Submitter website"},
        };
        for (const auto& link : links) {
            QCOMPARE(link.label->text(), QString::fromLatin1(link.caption));
            QCOMPARE(link.label->toolTip(), QString::fromLatin1(link.tip));
            QVERIFY(link.label->font().bold());
            QVERIFY(link.label->font().underline());
            QVERIFY(link.label->font().pointSizeF() <= 8.25);
            QCOMPARE(link.label->focusPolicy(), Qt::NoFocus);
            QCOMPARE(link.label->cursor().shape(), Qt::ArrowCursor);
            QCOMPARE(link.label->foregroundRole(), QPalette::Highlight);
            // The whole caption fits its rectangle.
            QVERIFY(QFontMetrics(link.label->font()).horizontalAdvance(link.label->text()) <=
                    link.label->contentsRect().width());
        }

        QCOMPARE(form->text1(0)->accessibleName(), QStringLiteral("Article 1"));
        QCOMPARE(form->text1(3)->accessibleName(), QStringLiteral("AMA format output"));
        QVERIFY(!form->text2()->accessibleName().isEmpty());
    }

    void tabMovesThroughTheControlsBothWays() {
        const QList<QWidget*> order = {form->text1(0),   form->text1(1),   form->text1(2),
                                       form->text1(3),   form->command1(), form->text2(),
                                       form->command2(), form->text1(0)};
        for (qsizetype i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), order[i]);
        }
        for (qsizetype i = order.size() - 2; i >= 0; --i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            QCOMPARE(QApplication::focusWidget(), order[i]);
        }
        QVERIFY(form->text1(0)->text().empty());  // Tab is never typed
    }

    void enterStartsANewLineAndPressesNothing() {
        QSignalSpy check(form->command1(), &QPushButton::clicked);
        QSignalSpy clear(form->command2(), &QPushButton::clicked);
        TextBox* box = form->text1(0);
        QTest::keyClicks(box, QStringLiteral("a"));
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClicks(box, QStringLiteral("b"));
        QTest::keyClick(box, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClicks(box, QStringLiteral("c"));
        QTest::keyClick(box, Qt::Key_Escape);
        QCOMPARE(box->text(), u"a\r\nb\r\nc");
        QCOMPARE(check.count(), 0);
        QCOMPARE(clear.count(), 0);
        QVERIFY(form->isVisible());
    }

    void enterOrSpacePressesTheFocusedButton() {
        struct Press {
            QPushButton* button;
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
        };
        const Press presses[] = {
            {form->command1(), Qt::Key_Return, Qt::NoModifier},
            {form->command1(), Qt::Key_Enter, Qt::KeypadModifier},
            {form->command1(), Qt::Key_Space, Qt::NoModifier},
            {form->command2(), Qt::Key_Return, Qt::NoModifier},
            {form->command2(), Qt::Key_Enter, Qt::KeypadModifier},
            {form->command2(), Qt::Key_Space, Qt::NoModifier},
        };
        for (const Press& press : presses) {
            QSignalSpy clicked(press.button, &QPushButton::clicked);
            QString asked;
            dismissNextModal(asked);
            press.button->setFocus(Qt::TabFocusReason);
            QTest::keyClick(press.button, press.key, press.modifiers);
            QCOMPARE(clicked.count(), 1);
            QCOMPARE(asked, press.button == form->command1()
                                ? QStringLiteral("Minimum length = 0 words")
                                : QStringLiteral("Are you sure you want to clear all the boxes?"));
        }

        // Esc on a button presses nothing and closes nothing.
        QSignalSpy check(form->command1(), &QPushButton::clicked);
        form->command1()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(form->command1(), Qt::Key_Escape);
        QCOMPARE(check.count(), 0);
        QVERIFY(form->isVisible());
    }

    void linksAreLinksToScreenReaders() {
        SKIP_WHERE_LINKS_GO_THROUGH_THE_SHELL();
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &recorder, "open");
        const struct {
            LinkLabel* label;
            const char* name;
            const char* description;
            const char* path;
        } links[] = {
            {form->label4(), "Magic Article Submitter", "Go to Magic Article Submitter website",
             "/magic.php"},
            {form->label2(), "Article Marketing Automation",
             "Go to Article Marketing Automation website", "/ama.php"},
            {form->label1(), "Unique Article Wizard", "Go to Unique Article Wizard website",
             "/uaw.php"},
        };
        for (const auto& link : links) {
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(link.label);
            QVERIFY(accessible != nullptr);
            QCOMPARE(accessible->role(), QAccessible::Link);
            QCOMPARE(accessible->text(QAccessible::Name), QString::fromLatin1(link.name));
            QCOMPARE(accessible->text(QAccessible::Description),
                     QString::fromLatin1(link.description));
            QVERIFY(!accessible->state().focusable);
            QAccessibleActionInterface* actions = accessible->actionInterface();
            QVERIFY(actions != nullptr);
            QCOMPARE(actions->actionNames(),
                     QStringList{QAccessibleActionInterface::pressAction()});
            actions->doAction(QAccessibleActionInterface::pressAction());
            QCOMPARE(recorder.urls.size() > 0 ? recorder.urls.last().path() : QString(),
                     QString::fromLatin1(link.path));
        }
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QCOMPARE(recorder.urls.size(), 3);
        QCOMPARE(QApplication::focusWidget(), form->text1(0));
    }

    void linkCaptionsShareTheLargestSizeThatFitsThemAll() {
        const qreal size = form->label1()->font().pointSizeF();
        QCOMPARE(form->label2()->font().pointSizeF(), size);
        QCOMPARE(form->label4()->font().pointSizeF(), size);
        QVERIFY(size <= 8.25);
        // A quarter point more would not fit at least one of them.
        if (size < 8.25) {
            QFont larger = form->label1()->font();
            larger.setPointSizeF(size + 0.25);
            const QFontMetrics metrics(larger);
            bool oneOverflows = false;
            for (LinkLabel* link : {form->label1(), form->label2(), form->label4()}) {
                oneOverflows = oneOverflows || metrics.horizontalAdvance(link->text()) >
                                                   link->contentsRect().width();
            }
            QVERIFY(oneOverflows);
        }
    }

    void smallScreenShrinksTheLayoutToFit() {
        // The offscreen screen (800 x 600) is smaller than the window.
        const QRect area = form->screen()->availableGeometry();
        QVERIFY(area.width() < 910 || area.height() < 820);
        form->fitToScreen();
        QVERIFY(area.contains(form->frameGeometry()));
        QTRY_COMPARE(form->scrollArea()->widget()->size(), form->size());
        QVERIFY(!form->scrollArea()->verticalScrollBar()->isVisible());
        QVERIFY(!form->scrollArea()->horizontalScrollBar()->isVisible());
        const QRect canvas = form->scrollArea()->widget()->rect();
        for (QWidget* control : std::initializer_list<QWidget*>{
                 form->text1(0), form->text1(1), form->text1(2), form->text1(3), form->text2(),
                 form->command1(), form->command2()}) {
            QVERIFY(canvas.contains(control->geometry()));
        }
    }

    void layoutGrowsAndShrinksWithTheWindow_data() {
        QTest::addColumn<QSize>("canvas");
        QTest::addColumn<QList<QRect>>("rects");  // Text1(0..3), Label3(0..3), Text2, Command1, 2
        QTest::newRow("1400x1000")
            << QSize(1400, 1000)
            << QList<QRect>{{16, 48, 662, 387},   {701, 48, 662, 387}, {16, 458, 662, 387},
                            {701, 458, 662, 387}, {16, 434, 209, 25},  {701, 434, 209, 25},
                            {16, 844, 209, 25},   {701, 844, 209, 25}, {16, 868, 662, 113},
                            {717, 884, 201, 73},  {1274, 916, 97, 41}};
        QTest::newRow("760x600") << QSize(760, 600)
                                 << QList<QRect>{{16, 48, 342, 187},  {381, 48, 342, 187},
                                                 {16, 258, 342, 187}, {381, 258, 342, 187},
                                                 {16, 234, 209, 25},  {381, 234, 209, 25},
                                                 {16, 444, 209, 25},  {381, 444, 209, 25},
                                                 {16, 468, 342, 113}, {397, 484, 201, 73},
                                                 {634, 516, 97, 41}};
        QTest::newRow("704x526 smallest")
            << QSize(704, 526)
            << QList<QRect>{{16, 48, 314, 150},   {353, 48, 314, 150}, {16, 221, 314, 150},
                            {353, 221, 314, 150}, {16, 197, 209, 25},  {353, 197, 209, 25},
                            {16, 370, 209, 25},   {353, 370, 209, 25}, {16, 394, 314, 113},
                            {369, 410, 201, 73},  {578, 442, 97, 41}};
        // An odd difference is halved downwards.
        QTest::newRow("909x819") << QSize(909, 819)
                                 << QList<QRect>{{16, 48, 416, 296},  {455, 48, 416, 296},
                                                 {16, 367, 416, 296}, {455, 367, 416, 296},
                                                 {16, 343, 209, 25},  {455, 343, 209, 25},
                                                 {16, 662, 209, 25},  {455, 662, 209, 25},
                                                 {16, 686, 416, 113}, {471, 702, 201, 73},
                                                 {782, 734, 97, 41}};
    }

    void layoutGrowsAndShrinksWithTheWindow() {
        QFETCH(QSize, canvas);
        QFETCH(QList<QRect>, rects);
        form->resize(canvas);
        QTRY_COMPARE(form->scrollArea()->widget()->size(), canvas);
        QVERIFY(!form->scrollArea()->verticalScrollBar()->isVisible());
        QVERIFY(!form->scrollArea()->horizontalScrollBar()->isVisible());

        const QList<QWidget*> controls = {form->text1(0),   form->text1(1),  form->text1(2),
                                          form->text1(3),   form->label3(0), form->label3(1),
                                          form->label3(2),  form->label3(3), form->text2(),
                                          form->command1(), form->command2()};
        for (int i = 0; i < controls.size(); ++i) {
            QCOMPARE(controls[i]->geometry(), rects[i]);
        }
        // The links stay where they are.
        QCOMPARE(form->label1()->geometry(), QRect(432, 16, 137, 25));
        QCOMPARE(form->label2()->geometry(), QRect(208, 16, 177, 25));
        QCOMPARE(form->label4()->geometry(), QRect(24, 16, 137, 25));

        // All inside the canvas; no two overlap but for a label and a box by
        // one pixel, as designed, with the box on top.
        const QList<QWidget*> all =
            controls + QList<QWidget*>{form->label1(), form->label2(), form->label4()};
        for (int i = 0; i < all.size(); ++i) {
            QVERIFY(QRect(QPoint(), canvas).contains(all[i]->geometry()));
            for (int j = i + 1; j < all.size(); ++j) {
                const QRect overlap = all[i]->geometry() & all[j]->geometry();
                if (overlap.isEmpty()) {
                    continue;
                }
                const bool labelOverBox = qobject_cast<QLabel*>(all[i]) != nullptr &&
                                          qobject_cast<TextBox*>(all[j]) != nullptr;
                const bool boxOverLabel = qobject_cast<TextBox*>(all[i]) != nullptr &&
                                          qobject_cast<QLabel*>(all[j]) != nullptr;
                QVERIFY2((labelOverBox || boxOverLabel) && overlap.height() == 1,
                         qPrintable(all[i]->objectName() + QStringLiteral(" / ") +
                                    all[j]->objectName()));
            }
        }
        QWidget* atOverlap = form->scrollArea()->widget()->childAt(rects[6].topLeft());
        QCOMPARE(atOverlap, form->text1(2));
    }

    void belowTheSmallestLayoutTheWindowScrolls() {
        form->resize(600, 400);
        QTRY_VERIFY(form->scrollArea()->verticalScrollBar()->isVisible());
        QVERIFY(form->scrollArea()->horizontalScrollBar()->isVisible());
        QCOMPARE(form->scrollArea()->widget()->size(), QSize(704, 526));
        QCOMPARE(form->command2()->geometry(), QRect(578, 442, 97, 41));

        // Tabbing to a button scrolls it into view.
        form->command2()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form->command2());
        const QWidget* viewport = form->scrollArea()->viewport();
        const QRect shown(form->command2()->mapTo(viewport, QPoint(0, 0)),
                          form->command2()->size());
        QVERIFY(viewport->rect().contains(shown));
    }

    void emptyBoxesSayWhatGoesInThem() {
        const QString placeholders[] = {QStringLiteral("Article 1: paste the first version here"),
                                        QStringLiteral("Article 2: paste the second version here"),
                                        QStringLiteral("Article 3: paste the third version here"),
                                        QStringLiteral("The spin text appears here")};
        const QString names[] = {QStringLiteral("Article 1"), QStringLiteral("Article 2"),
                                 QStringLiteral("Article 3"), QStringLiteral("AMA format output")};
        for (int k = 0; k < 4; ++k) {
            TextBox* box = form->text1(k);
            QCOMPARE(box->placeholderText(), placeholders[k]);
            QVERIFY(box->text().empty());
            QCOMPARE(box->accessibleName(), names[k]);
            // Not text: nothing to copy, nothing for a screen reader to read.
            box->selectAll();
            box->copy();
            QVERIFY(QApplication::clipboard()->text() != placeholders[k]);
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box);
            QVERIFY(accessible->textInterface() == nullptr ||
                    accessible->textInterface()->characterCount() == 0);
            QCOMPARE(accessible->text(QAccessible::Value), QString());
        }
        QCOMPARE(form->text2()->placeholderText(), QStringLiteral("Word counts per paragraph"));
        QVERIFY(form->text2()->text().empty());

        // Shown only while a box is empty: the box looks as it would without
        // a placeholder once it holds text.
        TextBox* box = form->text1(0);
        const auto look = [box](const QString& placeholder) {
            box->setPlaceholderText(placeholder);
            return box->viewport()->grab().toImage();
        };
        QVERIFY(look(placeholders[0]) != look(QString()));
        box->setText(u"x");
        QVERIFY(look(placeholders[0]) == look(QString()));
        QCOMPARE(box->text(), u"x");
    }

    void leavingABoxTrimsItKeepingUndo() {
        TextBox* box = form->text1(0);
        QTest::keyClicks(box, QStringLiteral("  one  "));
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClicks(box, QStringLiteral(" two  "));
        QTest::keyClick(box, Qt::Key_Tab);
        QCOMPARE(box->text(), u"one  \r\n two");
        box->undo();
        QCOMPARE(box->text(), u"  one  \r\n two  ");

        // The output box is trimmed too, keeping its trailing line breaks, and
        // a click on a button trims before the button's own action runs.
        form->text1(3)->setText(u"  {a~b}\r\n\r\n  ");
        form->text1(3)->setFocus(Qt::TabFocusReason);
        std::u16string seenByClearForm;
        whenModalOpens([this, &seenByClearForm](QMessageBox* confirmation) {
            seenByClearForm = form->text1(3)->text();
            confirmation->button(QMessageBox::No)->click();
        });
        QTest::mouseClick(form->command2(), Qt::LeftButton);
        QCOMPARE(seenByClearForm, u"{a~b}\r\n\r\n");

        // The grid box is not.
        form->text2()->setText(u" 1\t ");
        form->text2()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(form->text2(), Qt::Key_Tab);
        QCOMPARE(form->text2()->text(), u" 1\t ");
    }

    void trimLeavesAnUnchangedBoxAlone() {
        TextBox* box = form->text1(1);
        QString lines;
        for (int i = 0; i < 200; ++i) {
            lines += QStringLiteral("line %1\n").arg(i);
        }
        box->setText(u16(lines.trimmed()));
        box->setFocus(Qt::TabFocusReason);
        box->verticalScrollBar()->setValue(50);
        QTest::keyClick(box, Qt::Key_Tab);
        QCOMPARE(box->verticalScrollBar()->value(), 50);
        QVERIFY(!box->document()->isUndoAvailable());
    }

    void contextMenuOrDeactivationIsNotLeaving() {
        TextBox* box = form->text1(2);
        box->setText(u"  spaced  ");
        box->setFocus(Qt::TabFocusReason);
        FocusOutRecorder focusOuts;
        box->installEventFilter(&focusOuts);

        // The real context menu opens and closes again.
        QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(10, 10),
                               box->viewport()->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(box->viewport(), &menu);
        QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        QApplication::activePopupWidget()->close();
        QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
        QVERIFY(focusOuts.reasons.contains(Qt::PopupFocusReason));
        QCOMPARE(box->text(), u"  spaced  ");

        // Another window taking the activation.
        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(focusOuts.reasons.contains(Qt::ActiveWindowFocusReason));
        QCOMPARE(box->text(), u"  spaced  ");

#ifndef Q_OS_WIN
        // Clicking a link label does not move the focus either.
        QApplication::setActiveWindow(form.get());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &recorder, "open");
        QTest::mouseClick(form->label2(), Qt::LeftButton);
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QCOMPARE(QApplication::focusWidget(), box);
        QCOMPARE(box->text(), u"  spaced  ");
#endif
    }

    void clearFormAskingFirst() {
        fillWorkedExample(*form);
        form->text1(3)->setText(u"out");
        form->text2()->setText(u"1\t");
        form->label3(0)->setText(QStringLiteral("Words: 21"));

        bool asked = false;
        whenModalOpens([&asked](QMessageBox* box) {
            asked = true;
            QCOMPARE(box->windowTitle(), QStringLiteral("Just checking"));
            QCOMPARE(box->text(), QStringLiteral("Are you sure you want to clear all the boxes?"));
            QCOMPARE(box->icon(), QMessageBox::Question);
            QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(box->defaultButton(), box->button(QMessageBox::Yes));
            box->button(QMessageBox::No)->click();
        });
        QTest::mouseClick(form->command2(), Qt::LeftButton);
        QVERIFY(asked);
        QCOMPARE(form->text1(3)->text(), u"out");
        QCOMPARE(form->text2()->text(), u"1\t");
        QCOMPARE(form->label3(0)->text(), QStringLiteral("Words: 21"));
        QVERIFY(!form->text1(0)->text().empty());

        whenModalOpens([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
        QTest::mouseClick(form->command2(), Qt::LeftButton);
        for (int k = 0; k < 4; ++k) {
            QVERIFY(form->text1(k)->text().empty());
            QVERIFY(form->label3(k)->text().isEmpty());
        }
        QVERIFY(form->text2()->text().empty());
        QCOMPARE(form->command1()->text(), QStringLiteral("Check Articles && Generate AMA format"));
    }

    void checkArticlesEndToEnd() {
        fillWorkedExample(*form);
        form->text1(3)->setText(u"typed earlier");
        bool reported = false;
        whenModalOpens([this, &reported](QMessageBox* box) {
            reported = true;
            QCOMPARE(box->windowTitle(), QStringLiteral("prjKestrelwick"));
            QCOMPARE(box->text(), QStringLiteral("Minimum length = 7 words"));
            QCOMPARE(box->icon(), QMessageBox::NoIcon);
            QCOMPARE(box->standardButtons(), QMessageBox::Ok);
            // Everything but the output is in place while the report is open.
            QCOMPARE(form->label3(0)->text(), QStringLiteral("Words: 21"));
            QCOMPARE(form->label3(1)->text(), QStringLiteral("Words: 20"));
            QCOMPARE(form->label3(2)->text(), QStringLiteral("Words: 19"));
            QCOMPARE(form->label3(3)->text(), QStringLiteral("Minimum words: 7"));
            QCOMPARE(form->text2()->text(), kestrelwick::testing::kDogsGrid);
            QCOMPARE(form->text1(3)->text(), u"typed earlier");
            box->button(QMessageBox::Ok)->click();
        });
        QTest::mouseClick(form->command1(), Qt::LeftButton);
        QVERIFY(reported);
        QCOMPARE(form->text1(3)->text(), kestrelwick::testing::kDogsSpin);
    }

    void reportShowsNotesOnlyWhenThereAreAny() {
        struct Shown {
            QString title, text, informative;
            QMessageBox::Icon icon = QMessageBox::Warning;
            QMessageBox::StandardButtons buttons;
            Qt::TextFormat informativeFormat = Qt::AutoText;
        };
        const auto reportFor = [this](const std::u16string& a1, const std::u16string& a2,
                                      const std::u16string& a3) {
            form->text1(0)->setText(a1);
            form->text1(1)->setText(a2);
            form->text1(2)->setText(a3);
            Shown shown;
            whenModalOpens([&shown](QMessageBox* box) {
                shown = {box->windowTitle(), box->text(), box->informativeText(), box->icon(),
                         box->standardButtons()};
                if (auto* label =
                        box->findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"))) {
                    shown.informativeFormat = label->textFormat();
                }
                box->button(QMessageBox::Ok)->click();
            });
            QTest::mouseClick(form->command1(), Qt::LeftButton);
            return shown;
        };

        const Shown clean = reportFor(std::u16string(kestrelwick::testing::kDogs1),
                                      std::u16string(kestrelwick::testing::kDogs2),
                                      std::u16string(kestrelwick::testing::kDogs3));
        QCOMPARE(clean.title, QStringLiteral("prjKestrelwick"));
        QCOMPARE(clean.text, QStringLiteral("Minimum length = 7 words"));
        QCOMPARE(clean.informative, QString());
        QCOMPARE(clean.icon, QMessageBox::NoIcon);
        QCOMPARE(clean.buttons, QMessageBox::Ok);

        // Markup in the input never turns the notes into rich text.
        const Shown noted =
            reportFor(u"<b>t</b>\r\na~b\r\nc d\r\ne", u"t\r\n\r\nc", u"t\r\nx\r\nc");
        QCOMPARE(noted.title, QStringLiteral("prjKestrelwick"));
        QCOMPARE(noted.text, QStringLiteral("Minimum length = 1 words"));
        QCOMPARE(noted.informative,
                 QStringLiteral(
                     "Article 1: paragraph 2 contains {, } or ~, which break the spin text.\n"
                     "Article 2 gives no version for paragraph 2.\n"
                     "Articles 2 and 3 give the same wording of paragraphs 1 and 3.\n"
                     "Article 1 has 4 paragraphs and article 3 only 3: the rest of article 1 is "
                     "left out."));
        QCOMPARE(noted.informativeFormat, Qt::PlainText);
        QCOMPARE(noted.icon, QMessageBox::NoIcon);
        QCOMPARE(noted.buttons, QMessageBox::Ok);
        QCOMPARE(form->text1(3)->text(),
                 u"{<b>t</b>~t~t}\r\n\r\n\r\n{a~b~x}\r\n\r\n{c d~c~c}\r\n\r\n");
    }

    void checkArticlesCleansTheArticleBoxes() {
        form->text1(0)->setText(u"  a b \r\n\r\n");
        form->text1(1)->setFocus(Qt::TabFocusReason);
        whenModalOpens([](QMessageBox* box) { box->button(QMessageBox::Ok)->click(); });
        QTest::keyClick(form->command1(), Qt::Key_Space);
        QCOMPARE(form->text1(0)->text(), u"a b");
        QCOMPARE(form->label3(0)->text(), QStringLiteral("Words: 2"));
    }

    void everyCodeUnitSurvivesBoxAndClipboard() {
        // A non-breaking space, a lone surrogate, a tab and a soft line break.
        const std::u16string odd{u'a', u'\u00a0', u'b', u'\xd800', u'\t', u'\u2028', u'c'};
        TextBox* box = form->text1(0);
        box->setText(odd + u"\r\n" + odd);
        QCOMPARE(box->text(), odd + u"\r\n" + odd);

        box->selectAll();
        box->copy();
        const QString copied = QGuiApplication::clipboard()->text();
        QCOMPARE(u16(copied), odd + u"\n" + odd);

        TextBox* other = form->text1(1);
        other->setFocus(Qt::TabFocusReason);
        other->paste();
        QCOMPARE(other->text(), odd + u"\r\n" + odd);

        // Text pasted with LF line breaks splits into paragraphs like any other.
        QGuiApplication::clipboard()->setText(QStringLiteral("one\ntwo\r\nthree"));
        TextBox* third = form->text1(2);
        third->setFocus(Qt::TabFocusReason);
        third->paste();
        QCOMPARE(third->text(), u"one\r\ntwo\r\nthree");
    }

    void linksOpenTheirAddressesOnLeftClickOnly() {
        SKIP_WHERE_LINKS_GO_THROUGH_THE_SHELL();
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &recorder, "open");
        form->text1(0)->setText(u"kept");
        QTest::mouseClick(form->label1(), Qt::LeftButton);
        QTest::mouseClick(form->label2(), Qt::LeftButton);
        QTest::mouseClick(form->label4(), Qt::LeftButton);
        QTest::mouseClick(form->label4(), Qt::LeftButton);
        QTest::mouseClick(form->label1(), Qt::RightButton);
        QTest::mouseClick(form->label3(0), Qt::LeftButton);
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));

        QCOMPARE(recorder.urls.size(), 4);
        QCOMPARE(recorder.urls[0].path(), QStringLiteral("/uaw.php"));
        QCOMPARE(recorder.urls[1].path(), QStringLiteral("/ama.php"));
        QCOMPARE(recorder.urls[2].path(), QStringLiteral("/magic.php"));
        QCOMPARE(recorder.urls[3], recorder.urls[2]);
        for (const QUrl& url : recorder.urls) {
            QCOMPARE(url.scheme(), QStringLiteral("http"));
            QCOMPARE(url.authority(), QStringLiteral(KESTRELWICK_LINK_HOST));
        }
        QCOMPARE(form->text1(0)->text(), u"kept");
    }

    void aLinkThatCannotOpenShowsItsAddress() {
        SKIP_WHERE_LINKS_GO_THROUGH_THE_SHELL();
        // Without a handler, the headless platform opens no address at all.
        QString message;
        Qt::TextInteractionFlags selectable;
        whenModalOpens([&](QMessageBox* box) {
            message = box->text();
            selectable = box->textInteractionFlags();
            box->button(QMessageBox::Ok)->click();
        });
        QTest::mouseClick(form->label2(), Qt::LeftButton);
        QCOMPARE(message, QStringLiteral("The link could not be opened in a web browser. To visit "
                                         "the website, copy its address into a browser:\n\n"
                                         "http://" KESTRELWICK_LINK_HOST "/ama.php"));
        QVERIFY(selectable.testFlag(Qt::TextSelectableByMouse));
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
