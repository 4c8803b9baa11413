// The boxes and the two buttons as the user works with them: what an empty
// box says and the keys its tooltip names, trimming on leaving, Clear form,
// Check Articles from click to spin text, and every code unit kept through
// box and clipboard.
#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleTextInterface>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QFile>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTimer>
#include <QToolTip>
#include <QUrl>
#include <QtTest>

#include <functional>

#include "support/form_test.h"
#include "window/widgets/widgets.h"

using namespace kestrelwick;

namespace {

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

}  // namespace

class BoxesTest : public FormTest {
    Q_OBJECT

  private slots:
    void emptyBoxesSayWhatGoesInThem() {
        const QString placeholders[] = {
            QStringLiteral("Article 1: paste, drop or open (Ctrl+O) the first version here"),
            QStringLiteral("Article 2: paste, drop or open (Ctrl+O) the second version here"),
            QStringLiteral("Article 3: paste, drop or open (Ctrl+O) the third version here"),
            QStringLiteral("The spin text appears here after Check Articles. Right-click it (or "
                           "Shift+F10) to preview, save it or save spun articles.")};
        // Each box's tooltip names the keys that work in it, and only those.
        const QString everyBox[] = {QStringLiteral("F1 — Help"),
                                    QStringLiteral("Shift+F10 or Menu — The box's menu")};
        const QString articleOnly[] = {QStringLiteral("Ctrl+O — Open article…"),
                                       QStringLiteral("F8 — The next marked paragraph"),
                                       QStringLiteral("Shift+F8 — The previous marked paragraph")};
        const QString outputOnly[] = {QStringLiteral("Ctrl+O — Open spin text…"),
                                      QStringLiteral("Ctrl+S — Save spin text as…"),
                                      QStringLiteral("Ctrl+Shift+S — Save spun articles…"),
                                      QStringLiteral("F9 — Preview a spun article")};
        const QString names[] = {QStringLiteral("Article 1"), QStringLiteral("Article 2"),
                                 QStringLiteral("Article 3"),
                                 QStringLiteral("Spin text output, AMA format")};
        for (int k = 0; k < 4; ++k) {
            TextBox* box = form->largeBox(k);
            QCOMPARE(box->placeholderText(), placeholders[k]);
            const QString tip = box->toolTip();
            for (const QString& line : everyBox) {
                QVERIFY2(tip.contains(u'\n' + line), qPrintable(tip));
            }
            for (const QString& line : articleOnly) {
                QCOMPARE(tip.contains(u'\n' + line), k < 3);
            }
            for (const QString& line : outputOnly) {
                QCOMPARE(tip.contains(u'\n' + line), k == 3);
            }
            // Shown over the box's text, where a mark would show its notes.
            const QPoint over = box->viewport()->rect().center();
            QHelpEvent hover(QEvent::ToolTip, over, box->viewport()->mapToGlobal(over));
            QApplication::sendEvent(box->viewport(), &hover);
            QTRY_COMPARE(QToolTip::text(), tip);
            QToolTip::hideText();
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
        QCOMPARE(form->gridBox()->placeholderText(), QStringLiteral("Word counts per paragraph"));
        QVERIFY(form->gridBox()->text().empty());

        // Shown only while a box is empty: the box looks as it would without
        // a placeholder once it holds text.
        TextBox* box = form->articleBox(0);
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
        TextBox* box = form->articleBox(0);
        QTest::keyClicks(box, QStringLiteral("  one  "));
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClicks(box, QStringLiteral(" two  "));
        QTest::keyClick(box, Qt::Key_Tab);
        QCOMPARE(box->text(), u"one  \r\n two");
        box->undo();
        QCOMPARE(box->text(), u"  one  \r\n two  ");

        // The output box is trimmed too, keeping its trailing line breaks, and
        // a click on a button trims before the button's own action runs.
        form->outputBox()->setText(u"  {a~b}\r\n\r\n  ");
        form->outputBox()->setFocus(Qt::TabFocusReason);
        std::u16string seenByClearForm;
        whenModalOpens([this, &seenByClearForm](QMessageBox* confirmation) {
            seenByClearForm = form->outputBox()->text();
            confirmation->button(QMessageBox::No)->click();
        });
        QTest::mouseClick(form->clearButton(), Qt::LeftButton);
        QCOMPARE(seenByClearForm, u"{a~b}\r\n\r\n");

        // The grid box is not.
        form->gridBox()->setText(u" 1\t ");
        form->gridBox()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(form->gridBox(), Qt::Key_Tab);
        QCOMPARE(form->gridBox()->text(), u" 1\t ");
    }

    void trimLeavesAnUnchangedBoxAlone() {
        TextBox* box = form->articleBox(1);
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
        TextBox* box = form->articleBox(2);
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
        QTest::mouseClick(form->link(Form1::Link::ArticleMarketingAutomation), Qt::LeftButton);
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QCOMPARE(QApplication::focusWidget(), box);
        QCOMPARE(box->text(), u"  spaced  ");
#endif
    }

    void clearFormAskingFirst() {
        fillWorkedExample();
        form->outputBox()->setText(u"out");
        form->gridBox()->setText(u"1\t");
        form->countLabel(0)->setText(QStringLiteral("Words: 21"));

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
        QTest::mouseClick(form->clearButton(), Qt::LeftButton);
        QVERIFY(asked);
        QCOMPARE(form->outputBox()->text(), u"out");
        QCOMPARE(form->gridBox()->text(), u"1\t");
        QCOMPARE(form->countLabel(0)->text(), QStringLiteral("Words: 21"));
        QVERIFY(!form->articleBox(0)->text().empty());

        whenModalOpens([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
        QTest::mouseClick(form->clearButton(), Qt::LeftButton);
        for (int k = 0; k < 4; ++k) {
            QVERIFY(form->largeBox(k)->text().empty());
            QVERIFY(form->countLabel(k)->text().isEmpty());
        }
        QVERIFY(form->gridBox()->text().empty());
        QCOMPARE(form->checkButton()->text(),
                 QStringLiteral("Check Articles && Generate AMA format"));
    }

    void checkArticlesEndToEnd() {
        fillWorkedExample();
        form->outputBox()->setText(u"typed earlier");
        bool reported = false;
        whenModalOpens([this, &reported](QMessageBox* box) {
            reported = true;
            QCOMPARE(box->windowTitle(), QStringLiteral("prjKestrelwick"));
            QCOMPARE(box->text(), QStringLiteral("Minimum length = 7 words\nThe spin text gives 81 "
                                                 "different articles; two of them share on "
                                                 "average 33 % of their runs of four words."));
            QCOMPARE(box->icon(), QMessageBox::NoIcon);
            QCOMPARE(box->standardButtons(), QMessageBox::Ok);
            // Everything but the output is in place while the report is open.
            QCOMPARE(form->countLabel(0)->text(), QStringLiteral("Words: 21"));
            QCOMPARE(form->countLabel(1)->text(), QStringLiteral("Words: 20"));
            QCOMPARE(form->countLabel(2)->text(), QStringLiteral("Words: 19"));
            QCOMPARE(form->countLabel(3)->text(), QStringLiteral("Minimum words: 7"));
            QCOMPARE(form->gridBox()->text(), kestrelwick::testing::kDogsGrid);
            QCOMPARE(form->outputBox()->text(), u"typed earlier");
            box->button(QMessageBox::Ok)->click();
        });
        QTest::mouseClick(form->checkButton(), Qt::LeftButton);
        QVERIFY(reported);
        QCOMPARE(form->outputBox()->text(), kestrelwick::testing::kDogsSpin);
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
            form->articleBox(0)->setText(a1);
            form->articleBox(1)->setText(a2);
            form->articleBox(2)->setText(a3);
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
            QTest::mouseClick(form->checkButton(), Qt::LeftButton);
            return shown;
        };

        const Shown clean = reportFor(std::u16string(kestrelwick::testing::kDogs1),
                                      std::u16string(kestrelwick::testing::kDogs2),
                                      std::u16string(kestrelwick::testing::kDogs3));
        QCOMPARE(clean.title, QStringLiteral("prjKestrelwick"));
        QCOMPARE(clean.text, QStringLiteral("Minimum length = 7 words\nThe spin text gives 81 "
                                            "different articles; two of them share on average "
                                            "33 % of their runs of four words."));
        QCOMPARE(clean.informative, QString());
        QCOMPARE(clean.icon, QMessageBox::NoIcon);
        QCOMPARE(clean.buttons, QMessageBox::Ok);

        // Markup in the input never turns the notes into rich text.
        const Shown noted =
            reportFor(u"<b>t</b>\r\na~b\r\nc d\r\ne", u"t\r\n\r\nc", u"t\r\nx\r\nc");
        QCOMPARE(noted.title, QStringLiteral("prjKestrelwick"));
        QCOMPARE(noted.text, QStringLiteral("Minimum length = 1 words\nThe spin text gives 8 "
                                            "different articles; two of them share on average "
                                            "54 % of their runs of four words."));
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
        QCOMPARE(form->outputBox()->text(),
                 u"{<b>t</b>~t~t}\r\n\r\n\r\n{a~b~x}\r\n\r\n{c d~c~c}\r\n\r\n");
    }

    void checkArticlesCleansTheArticleBoxes() {
        form->articleBox(0)->setText(u"  a b \r\n\r\n");
        form->articleBox(1)->setFocus(Qt::TabFocusReason);
        whenModalOpens([](QMessageBox* box) { box->button(QMessageBox::Ok)->click(); });
        QTest::keyClick(form->checkButton(), Qt::Key_Space);
        QCOMPARE(form->articleBox(0)->text(), u"a b");
        QCOMPARE(form->countLabel(0)->text(), QStringLiteral("Words: 2"));
    }

    void everyCodeUnitSurvivesBoxAndClipboard() {
        // A non-breaking space, a lone surrogate, a tab and a soft line break.
        const std::u16string odd{u'a', u'\u00a0', u'b', u'\xd800', u'\t', u'\u2028', u'c'};
        TextBox* box = form->articleBox(0);
        box->setText(odd + u"\r\n" + odd);
        QCOMPARE(box->text(), odd + u"\r\n" + odd);

        box->selectAll();
        box->copy();
        const QString copied = QGuiApplication::clipboard()->text();
        QCOMPARE(u16(copied), odd + u"\n" + odd);

        TextBox* other = form->articleBox(1);
        other->setFocus(Qt::TabFocusReason);
        other->paste();
        QCOMPARE(other->text(), odd + u"\r\n" + odd);

        // Text pasted with LF line breaks splits into paragraphs like any other.
        QGuiApplication::clipboard()->setText(QStringLiteral("one\ntwo\r\nthree"));
        TextBox* third = form->articleBox(2);
        third->setFocus(Qt::TabFocusReason);
        third->paste();
        QCOMPARE(third->text(), u"one\r\ntwo\r\nthree");
    }
};

QTEST_MAIN(BoxesTest)
#include "boxes_test.moc"
