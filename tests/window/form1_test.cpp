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

#include "window/controls.h"
#include "window/form_test.h"
#include "window/text_box.h"

using namespace kestrelwick;

namespace {

const QString kTitle = QStringLiteral("Check minimum article length, convert to AMA format");

}  // namespace

class Form1Test : public FormTest {
    Q_OBJECT

  private slots:
    void applicationIsKnownToTheDesktop() {
        QCOMPARE(QApplication::applicationName(), QStringLiteral("prjKestrelwick"));
        QCOMPARE(QApplication::applicationVersion(), QStringLiteral("1.00"));
        // The Wayland app id, and the entry that the package installs.
        const QString entry = QGuiApplication::desktopFileName();
        QVERIFY(QFile::exists(QStringLiteral(KESTRELWICK_SOURCE_DIR "/resources/") + entry +
                              QStringLiteral(".desktop")));
        QVERIFY(!QApplication::windowIcon().isNull());
    }

    void startsEmptyWithEveryControlInPlace() {
        QCOMPARE(form->windowTitle(), kTitle);
        QCOMPARE(form->size(), QSize(910, 820));
        QCOMPARE(QApplication::focusWidget(), form->articleBox(0));

        const QRect text1Rects[] = {
            {16, 48, 417, 297}, {456, 48, 417, 297}, {16, 368, 417, 297}, {456, 368, 417, 297}};
        const QRect label3Rects[] = {
            {16, 344, 209, 25}, {456, 344, 209, 25}, {16, 664, 209, 25}, {456, 664, 209, 25}};
        for (int k = 0; k < 4; ++k) {
            QCOMPARE(form->largeBox(k)->geometry(), text1Rects[k]);
            QCOMPARE(form->countLabel(k)->geometry(), label3Rects[k]);
            QVERIFY(form->largeBox(k)->text().empty());
            QVERIFY(form->countLabel(k)->text().isEmpty());
            QCOMPARE(form->largeBox(k)->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
            QCOMPARE(form->largeBox(k)->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
            QCOMPARE(form->largeBox(k)->lineWrapMode(), QPlainTextEdit::WidgetWidth);
            QVERIFY(!form->largeBox(k)->isReadOnly());
        }
        QCOMPARE(form->gridBox()->geometry(), QRect(16, 688, 417, 113));
        QVERIFY(form->gridBox()->text().empty());
        QCOMPARE(form->checkButton()->geometry(), QRect(472, 704, 201, 73));
        QCOMPARE(form->clearButton()->geometry(), QRect(784, 736, 97, 41));
        QCOMPARE(form->link(Form1::Link::UniqueArticleWizard)->geometry(), QRect(432, 16, 137, 25));
        QCOMPARE(form->link(Form1::Link::ArticleMarketingAutomation)->geometry(),
                 QRect(208, 16, 177, 25));
        QCOMPARE(form->link(Form1::Link::MagicArticleSubmitter)->geometry(),
                 QRect(24, 16, 137, 25));

        // Boxes are drawn over the labels that they overlap.
        QWidget* atOverlap = form->childAt(100, 344);
        QVERIFY(atOverlap == form->articleBox(0) || form->articleBox(0)->isAncestorOf(atOverlap));

        // A larger window gives the four large boxes the room.
        form->resize(1200, 1000);
        QTRY_COMPARE(form->clearButton()->geometry(), QRect(1074, 916, 97, 41));
        QCOMPARE(form->outputBox()->geometry(), QRect(601, 458, 562, 387));
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
        QCOMPARE(form->checkButton()->text(),
                 QStringLiteral("Check Articles && Generate AMA format"));
        QCOMPARE(form->clearButton()->text(), QStringLiteral("Clear form"));
        for (QPushButton* button : {form->checkButton(), form->clearButton()}) {
            QVERIFY(!button->isDefault());
            QVERIFY(!button->autoDefault());
            QCOMPARE(button->focusPolicy(), Qt::StrongFocus);
        }
        // The wrapped caption must fit: two lines of the default font.
        const QFontMetrics metrics(form->checkButton()->font());
        const QRect needed =
            metrics.boundingRect(QRect(0, 0, 201 - 12, 1000), Qt::TextWordWrap,
                                 QStringLiteral("Check Articles & Generate AMA format"));
        QVERIFY(needed.height() < 73);

        const struct {
            LinkLabel* label;
            const char* caption;
            const char* tip;
        } links[] = {
            {form->link(Form1::Link::UniqueArticleWizard), "Unique Article Wizard",
             "Go to Unique Article Wizard website"},
            {form->link(Form1::Link::ArticleMarketingAutomation), "Article Marketing Automation",
             "Go to Article Marketing Automation website"},
            {form->link(Form1::Link::MagicArticleSubmitter), "Magic Article Submitter",
             "Go to Magic Article Submitter website"},
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

        QCOMPARE(form->articleBox(0)->accessibleName(), QStringLiteral("Article 1"));
        QCOMPARE(form->outputBox()->accessibleName(), QStringLiteral("AMA format output"));
        QVERIFY(!form->gridBox()->accessibleName().isEmpty());
    }

    void tabMovesThroughTheControlsBothWays() {
        const QList<QWidget*> order = {
            form->articleBox(0), form->articleBox(1), form->articleBox(2), form->outputBox(),
            form->checkButton(), form->gridBox(),     form->clearButton(), form->articleBox(0)};
        for (qsizetype i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), order[i]);
        }
        for (qsizetype i = order.size() - 2; i >= 0; --i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            QCOMPARE(QApplication::focusWidget(), order[i]);
        }
        QVERIFY(form->articleBox(0)->text().empty());  // Tab is never typed
    }

    void enterStartsANewLineAndPressesNothing() {
        QSignalSpy check(form->checkButton(), &QPushButton::clicked);
        QSignalSpy clear(form->clearButton(), &QPushButton::clicked);
        TextBox* box = form->articleBox(0);
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
            {form->checkButton(), Qt::Key_Return, Qt::NoModifier},
            {form->checkButton(), Qt::Key_Enter, Qt::KeypadModifier},
            {form->checkButton(), Qt::Key_Space, Qt::NoModifier},
            {form->clearButton(), Qt::Key_Return, Qt::NoModifier},
            {form->clearButton(), Qt::Key_Enter, Qt::KeypadModifier},
            {form->clearButton(), Qt::Key_Space, Qt::NoModifier},
        };
        for (const Press& press : presses) {
            QSignalSpy clicked(press.button, &QPushButton::clicked);
            QString asked;
            dismissNextModal(asked);
            press.button->setFocus(Qt::TabFocusReason);
            QTest::keyClick(press.button, press.key, press.modifiers);
            QCOMPARE(clicked.count(), 1);
            QCOMPARE(asked, press.button == form->checkButton()
                                ? QStringLiteral("Minimum length = 0 words")
                                : QStringLiteral("Are you sure you want to clear all the boxes?"));
        }

        // Esc on a button presses nothing and closes nothing.
        QSignalSpy check(form->checkButton(), &QPushButton::clicked);
        form->checkButton()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(form->checkButton(), Qt::Key_Escape);
        QCOMPARE(check.count(), 0);
        QVERIFY(form->isVisible());
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
                 form->articleBox(0), form->articleBox(1), form->articleBox(2), form->outputBox(),
                 form->gridBox(), form->checkButton(), form->clearButton()}) {
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

        const QList<QWidget*> controls = {
            form->articleBox(0), form->articleBox(1), form->articleBox(2), form->outputBox(),
            form->countLabel(0), form->countLabel(1), form->countLabel(2), form->countLabel(3),
            form->gridBox(),     form->checkButton(), form->clearButton()};
        for (int i = 0; i < controls.size(); ++i) {
            QCOMPARE(controls[i]->geometry(), rects[i]);
        }
        // The links stay where they are.
        QCOMPARE(form->link(Form1::Link::UniqueArticleWizard)->geometry(), QRect(432, 16, 137, 25));
        QCOMPARE(form->link(Form1::Link::ArticleMarketingAutomation)->geometry(),
                 QRect(208, 16, 177, 25));
        QCOMPARE(form->link(Form1::Link::MagicArticleSubmitter)->geometry(),
                 QRect(24, 16, 137, 25));

        // All inside the canvas; no two overlap but for a label and a box by
        // one pixel, as designed, with the box on top.
        const QList<QWidget*> all =
            controls + QList<QWidget*>{form->link(Form1::Link::UniqueArticleWizard),
                                       form->link(Form1::Link::ArticleMarketingAutomation),
                                       form->link(Form1::Link::MagicArticleSubmitter)};
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
        QCOMPARE(atOverlap, form->articleBox(2));
    }

    void belowTheSmallestLayoutTheWindowScrolls() {
        form->resize(600, 400);
        QTRY_VERIFY(form->scrollArea()->verticalScrollBar()->isVisible());
        QVERIFY(form->scrollArea()->horizontalScrollBar()->isVisible());
        QCOMPARE(form->scrollArea()->widget()->size(), QSize(704, 526));
        QCOMPARE(form->clearButton()->geometry(), QRect(578, 442, 97, 41));

        // Tabbing to a button scrolls it into view.
        form->clearButton()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form->clearButton());
        const QWidget* viewport = form->scrollArea()->viewport();
        const QRect shown(form->clearButton()->mapTo(viewport, QPoint(0, 0)),
                          form->clearButton()->size());
        QVERIFY(viewport->rect().contains(shown));
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
