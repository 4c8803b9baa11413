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

#include "support/form_test.h"
#include "window/spin_by_choice.h"
#include "window/spin_format_choice.h"
#include "window/widgets/widgets.h"

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

        // At the design size every control stands in its design rectangle.
        const Form1::Layout& design = Form1::kDesignLayout;
        for (int k = 0; k < 4; ++k) {
            QCOMPARE(form->largeBox(k)->geometry(), design.largeBoxes[std::size_t(k)]);
            QCOMPARE(form->countLabel(k)->geometry(), design.countLabels[std::size_t(k)]);
            QVERIFY(form->largeBox(k)->text().empty());
            QVERIFY(form->countLabel(k)->text().isEmpty());
            QCOMPARE(form->largeBox(k)->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
            QCOMPARE(form->largeBox(k)->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
            QCOMPARE(form->largeBox(k)->lineWrapMode(), QPlainTextEdit::WidgetWidth);
            QVERIFY(!form->largeBox(k)->isReadOnly());
        }
        QCOMPARE(form->gridBox()->geometry(), design.gridBox);
        QVERIFY(form->gridBox()->text().empty());
        QCOMPARE(form->checkButton()->geometry(), design.checkButton);
        QCOMPARE(form->clearButton()->geometry(), design.clearButton);
        for (std::size_t k = 0; k < Form1::kLinkCount; ++k) {
            QCOMPARE(form->link(Form1::Link(k))->geometry(), design.links[k]);
        }
        // The window's design: a 910 x 820 client area, the four large boxes
        // of one size in two columns and two rows, the links along the top.
        QCOMPARE(design.largeBoxes[0], QRect(16, 48, 417, 297));
        QCOMPARE(design.largeBoxes[3], QRect(456, 368, 417, 297));
        QCOMPARE(design.links[std::size_t(Form1::Link::MagicArticleSubmitter)].topLeft(),
                 QPoint(24, 16));

        // Boxes are drawn over the labels that they overlap.
        QWidget* atOverlap = form->childAt(100, 344);
        QVERIFY(atOverlap == form->articleBox(0) || form->articleBox(0)->isAncestorOf(atOverlap));
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
        // The output box's name says the format it holds.
        form->formatChoice()->setFormat(SpinFormat::Pipe);
        QCOMPARE(form->outputBox()->accessibleName(),
                 QStringLiteral("Spin text output, pipe format"));
        form->formatChoice()->setFormat(SpinFormat::Ama);
        QCOMPARE(form->outputBox()->accessibleName(),
                 QStringLiteral("Spin text output, AMA format"));
        QVERIFY(!form->gridBox()->accessibleName().isEmpty());
    }

    void tabMovesThroughTheControlsBothWays() {
        const QList<QWidget*> order = {
            form->articleBox(0),  form->articleBox(1), form->articleBox(2), form->outputBox(),
            form->formatChoice(), form->byChoice(),    form->checkButton(), form->gridBox(),
            form->clearButton(),  form->articleBox(0)};
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
        // How much each large box grows on the canvas: half of the
        // difference from 910 x 820, worked out by hand.
        QTest::addColumn<QSize>("canvas");
        QTest::addColumn<QSize>("growth");
        QTest::newRow("1400x1000") << QSize(1400, 1000) << QSize(245, 90);
        QTest::newRow("830x700") << QSize(830, 700) << QSize(-40, -60);
        QTest::newRow("760x600") << QSize(760, 600) << QSize(-75, -110);
        QTest::newRow("704x526 smallest") << QSize(704, 526) << QSize(-103, -147);
        // An odd difference is halved downwards.
        QTest::newRow("909x819") << QSize(909, 819) << QSize(-1, -1);
        QTest::newRow("911x821") << QSize(911, 821) << QSize(0, 0);
    }

    // The rules of the layout: the four large boxes share out the difference
    // from the design size (each column half the width, each row half the
    // height, rounded down), and everything else keeps its size and its
    // place beside the box it belongs to.
    void layoutGrowsAndShrinksWithTheWindow() {
        QFETCH(QSize, canvas);
        QFETCH(QSize, growth);
        form->resize(canvas);
        QTRY_COMPARE(form->scrollArea()->widget()->size(), canvas);
        QVERIFY(!form->scrollArea()->verticalScrollBar()->isVisible());
        QVERIFY(!form->scrollArea()->horizontalScrollBar()->isVisible());

        const Form1::Layout& design = Form1::kDesignLayout;
        const int h = growth.width();
        const int v = growth.height();
        const auto offset = [](const QPoint& from, const QRect& to) { return to.topLeft() - from; };
        for (int k = 0; k < 4; ++k) {
            const auto i = std::size_t(k);
            const QRect box = form->largeBox(k)->geometry();
            QCOMPARE(box.size(), design.largeBoxes[i].size() + QSize(h, v));
            // Right of or below another box, a box moves by that box's growth.
            QCOMPARE(box.topLeft(), design.largeBoxes[i].topLeft() + QPoint(k % 2 * h, k / 2 * v));
            // Its label keeps its size and its place under the box.
            const QRect label = form->countLabel(k)->geometry();
            QCOMPARE(label.size(), design.countLabels[i].size());
            QCOMPARE(offset(box.bottomLeft(), label),
                     offset(design.largeBoxes[i].bottomLeft(), design.countLabels[i]));
        }
        // The grid is as wide as the third article's box and keeps its
        // height; the buttons keep their sizes and their places under the
        // output box.
        const QRect third = form->articleBox(2)->geometry();
        const QRect output = form->outputBox()->geometry();
        QCOMPARE(form->gridBox()->geometry().width(), third.width());
        QCOMPARE(form->gridBox()->geometry().height(), design.gridBox.height());
        QCOMPARE(offset(third.bottomLeft(), form->gridBox()->geometry()),
                 offset(design.largeBoxes[2].bottomLeft(), design.gridBox));
        QCOMPARE(form->checkButton()->geometry().size(), design.checkButton.size());
        QCOMPARE(offset(output.bottomLeft(), form->checkButton()->geometry()),
                 offset(design.largeBoxes[3].bottomLeft(), design.checkButton));
        QCOMPARE(form->clearButton()->geometry().size(), design.clearButton.size());
        QCOMPARE(offset(output.bottomRight(), form->clearButton()->geometry()),
                 offset(design.largeBoxes[3].bottomRight(), design.clearButton));
        // The links stay where they are.
        for (std::size_t k = 0; k < Form1::kLinkCount; ++k) {
            QCOMPARE(form->link(Form1::Link(k))->geometry(), design.links[k]);
        }
        // The two choices keep their sizes and move with the output box's
        // right edge, as Clear form does, while the spin-by choice clears
        // Check Articles (x 713 + 2h past 672 + h, so h > -41); narrower,
        // they stand side by side under the buttons.
        const QRect format = form->formatChoice()->geometry();
        const QRect by = form->byChoice()->geometry();
        QCOMPARE(format.size(), design.formatChoice.size());
        QCOMPARE(by.size(), design.byChoice.size());
        if (h > -41) {
            QCOMPARE(offset(output.bottomRight(), format),
                     offset(design.largeBoxes[3].bottomRight(), design.formatChoice));
            QCOMPARE(offset(output.bottomRight(), by),
                     offset(design.largeBoxes[3].bottomRight(), design.byChoice));
        } else {
            const QRect check = form->checkButton()->geometry();
            QCOMPARE(format.topLeft(), check.bottomLeft() + QPoint(0, 7));
            QCOMPARE(by.topLeft(), format.topRight() + QPoint(7, 0));
        }

        // All inside the canvas; no two overlap but for a label and a box by
        // one pixel, as designed, with the box on top.
        QList<QWidget*> all = {form->gridBox(), form->checkButton(), form->clearButton(),
                               form->formatChoice(), form->byChoice()};
        for (int k = 0; k < 4; ++k) {
            all << form->largeBox(k) << form->countLabel(k);
        }
        for (std::size_t k = 0; k < Form1::kLinkCount; ++k) {
            all << form->link(Form1::Link(k));
        }
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
        QWidget* atOverlap =
            form->scrollArea()->widget()->childAt(form->countLabel(2)->geometry().topLeft());
        QCOMPARE(atOverlap, form->articleBox(2));
    }

    void belowTheSmallestLayoutTheWindowScrolls() {
        form->resize(600, 400);
        QTRY_VERIFY(form->scrollArea()->verticalScrollBar()->isVisible());
        QVERIFY(form->scrollArea()->horizontalScrollBar()->isVisible());
        QCOMPARE(form->scrollArea()->widget()->size(), QSize(704, 526));
        QCOMPARE(form->clearButton()->geometry(), Form1::layoutFor(QSize(704, 526)).clearButton);

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
