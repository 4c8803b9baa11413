// A report that shows where it points: paragraph numbers beside the article
// boxes and the grid, marks on the paragraphs the notes name, F8 from mark to
// mark, and a report that can be read and copied. Driven through the real
// window, headless.

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleTextInterface>
#include <QApplication>
#include <QClipboard>
#include <QHelpEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QToolTip>
#include <QtTest>

#include <memory>
#include <string>

#include "support/form_test.h"
#include "window/widgets/widgets.h"

using namespace kestrelwick;

namespace {

using kestrelwick::NoteKind;

// Seven paragraphs in the way article services ask for them: a title, then
// paragraphs with an empty line between them. Article 2 copies article 1's
// paragraph 5 and lacks the last; article 3 has a spin mark in paragraph 3.
const std::u16string kArticle1 =
    u"Tea Time\r\n\r\nTea is grown on hillsides in warm wet places.\r\n\r\nThe leaves are picked "
    u"by hand and dried quickly.\r\n\r\nGreen tea is steamed, black tea is left to darken.";
const std::u16string kArticle2 =
    u"Time For Tea\r\n\r\nWarm and rainy slopes are where tea plants thrive.\r\n\r\nThe leaves "
    u"are picked by hand and dried quickly.";
const std::u16string kArticle3 =
    u"All About Tea\r\n\r\nThe tea bush ~ likes heat, rain and a steep hill.\r\n\r\nWorkers "
    u"gather the leaf by hand and let it wither.\r\n\r\nSteaming keeps tea green; air turns it "
    u"black.";

const QString kSameNote = QStringLiteral("Articles 1 and 2 give the same wording of paragraph 5.");
const QString kMarkNote =
    QStringLiteral("Article 3: paragraph 3 contains {, } or ~, which break the spin text.");

}  // namespace

class ReportMarksTest : public FormTest {
    Q_OBJECT

  private:
    static const ParagraphMarks::Mark* markOf(TextBox* box, int paragraph) {
        return box->marks().find(paragraph);
    }

  private slots:
    void articleBoxesNumberTheirParagraphsInAMargin() {
        const QRect before = form->articleBox(0)->geometry();
        // A long paragraph that wraps, and empty lines.
        std::u16string text = u"Title\r\n\r\n";
        for (int i = 0; i < 60; ++i) {
            text += u"wrapping words ";
        }
        text += u"\r\n\r\nlast";
        TextBox* box = form->articleBox(0);
        box->setText(text);
        ParagraphMargin* margin = box->margin();
        QVERIFY(margin != nullptr);
        QVERIFY(margin->isVisible());
        QCOMPARE(margin->numberOf(0), std::optional<std::size_t>(0));
        QCOMPARE(margin->numberOf(4), std::optional<std::size_t>(4));
        // The box keeps its place and size; its text area narrows by the margin.
        QCOMPARE(box->geometry(), before);
        QCOMPARE(box->viewport()->x() - box->contentsRect().x(), margin->width());
        QVERIFY(margin->width() > 0);
        QCOMPARE(box->viewport()->width() + margin->width() + box->verticalScrollBar()->width(),
                 box->contentsRect().width());
        QCOMPARE(margin->palette().color(QPalette::PlaceholderText),
                 box->palette().color(QPalette::PlaceholderText));
        // The text, its copy and what a screen reader reads are the box's own.
        QCOMPARE(box->text(), text);
        box->selectAll();
        box->copy();
        QCOMPARE(QApplication::clipboard()->text().left(5), QStringLiteral("Title"));
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box);
        QVERIFY(accessible != nullptr && accessible->textInterface() != nullptr);
        QCOMPARE(accessible->textInterface()->text(0, 5), QStringLiteral("Title"));
        QVERIFY(!box->document()->isUndoAvailable());  // setText starts the history afresh
    }

    void theMarginWidensAndScrollsWithAThousandParagraphs() {
        TextBox* box = form->articleBox(0);
        std::u16string text;
        for (int p = 1; p <= 1000; ++p) {
            text += u"paragraph\r\n";
        }
        const int narrow = box->margin()->width();
        box->setText(text);
        QVERIFY(box->margin()->width() > narrow);  // four digits
        QCOMPARE(box->margin()->width(), box->margin()->neededWidth());
        box->verticalScrollBar()->setValue(500);
        const int top = box->cursorForPosition(QPoint(0, 0)).blockNumber();
        QVERIFY(top >= 400);
        QCOMPARE(box->margin()->numberOf(top), std::optional<std::size_t>(std::size_t(top)));
        QCOMPARE(box->geometry(), Form1::layoutFor(QSize(910, 820)).largeBoxes[0]);
    }

    void theGridNumbersItsLinesWithTheirParagraphs() {
        fill(kArticle1, kArticle2, kArticle3);
        check();
        ParagraphMargin* margin = form->gridBox()->margin();
        QVERIFY(margin != nullptr);
        // Lines for paragraphs 3, 5 and 7 as the user counts them; the empty
        // ones have no line.
        QCOMPARE(margin->numberOf(0), std::optional<std::size_t>(2));
        QCOMPARE(margin->numberOf(1), std::optional<std::size_t>(4));
        QCOMPARE(margin->numberOf(2), std::optional<std::size_t>(6));
        QCOMPARE(margin->numberOf(3), std::nullopt);  // the empty line after the last
        QCOMPARE(form->gridBox()->text(), u"9\t9\t11\t\r\n9\t9\t10\t\r\n10\t8\t\r\n");
    }

    void aCheckMarksWhatEachNoteNames() {
        fill(kArticle1, kArticle2, kArticle3);
        const QStringList shown = check();
        QCOMPARE(
            shown.value(1).split(u'\n'),
            (QStringList{kMarkNote, QStringLiteral("Article 2 gives no version for paragraph 7."),
                         kSameNote,
                         QStringLiteral("Blank lines count as paragraphs: the first line is "
                                        "the title, and the second is left out of the "
                                        "minimum.")}));
        // The same wording, in both articles.
        for (const int box : {0, 1}) {
            const auto* mark = markOf(form->largeBox(box), 4);
            QVERIFY(mark != nullptr);
            QCOMPARE(mark->kind, NoteKind::Alike);
            QCOMPARE(mark->notes, QStringList{kSameNote});
        }
        QCOMPARE(form->articleBox(0)->marks().paragraphs(), std::vector<int>{4});
        // Article 2 ends before paragraph 7: the third article's is marked.
        // Its blank lines are marked for the note on them, and paragraph 3
        // for its spin mark.
        QCOMPARE(form->articleBox(2)->marks().paragraphs(), (std::vector<int>{1, 2, 3, 5, 6}));
        QCOMPARE(markOf(form->articleBox(2), 2)->notes, QStringList{kMarkNote});
        QCOMPARE(markOf(form->articleBox(2), 6)->kind, NoteKind::Spoils);
        QVERIFY(form->articleBox(1)->marks().find(6) == nullptr);

        // The tints differ, and each shows behind its paragraph.
        QVERIFY(ParagraphMarks::tintOf(NoteKind::Alike) !=
                ParagraphMarks::tintOf(NoteKind::Spoils));
        TextBox* box = form->articleBox(0);
        const QImage picture = box->viewport()->grab().toImage();
        const auto middleOf = [box](int paragraph) {
            return box->cursorRect(QTextCursor(box->document()->findBlockByNumber(paragraph)))
                .center()
                .y();
        };
        const QColor base = box->palette().color(QPalette::Base);
        const int right = box->viewport()->width() - 4;  // beside the text
        QVERIFY(picture.pixelColor(right, middleOf(4)) != base);
        QCOMPARE(picture.pixelColor(right, middleOf(3)), base);
        // An empty line is marked as well as a full one.
        TextBox* third = form->articleBox(2);
        const QImage thirdPicture = third->viewport()->grab().toImage();
        for (const int paragraph : {1, 2, 3, 5, 6}) {
            const int y =
                third->cursorRect(QTextCursor(third->document()->findBlockByNumber(paragraph)))
                    .center()
                    .y();
            QVERIFY2(thirdPicture.pixelColor(right, y) != base,
                     qPrintable(QString::number(paragraph)));
        }

        // Hovering shows the note.
        const QPoint over(box->viewport()->width() / 2, middleOf(4));
        QHelpEvent hover(QEvent::ToolTip, over, box->viewport()->mapToGlobal(over));
        QApplication::sendEvent(box->viewport(), &hover);
        QTRY_COMPARE(QToolTip::text(), kSameNote);
        QToolTip::hideText();
    }

    void marksGoWhenTheTextChangesAtTheNextCheckAndAtClearForm() {
        fill(kArticle1, kArticle2, kArticle3);
        check();
        QVERIFY(!form->articleBox(0)->marks().empty());
        QTest::keyClick(form->articleBox(0), Qt::Key_X);
        QVERIFY(form->articleBox(0)->marks().empty());
        QVERIFY(!form->articleBox(1)->marks().empty());  // only the edited box's

        // The next check marks anew: article 2 reworded, nothing alike.
        form->articleBox(1)->setText(
            u"Time For Tea\r\n\r\nWarm slopes.\r\n\r\nPicked by hand.\r\n\r\n"
            u"Steamed or darkened.");
        check();
        QVERIFY(form->articleBox(1)->marks().empty());
        QVERIFY(!form->articleBox(2)->marks().empty());

        whenModalOpens([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
        form->clearButton()->click();
        for (int k = 0; k < 3; ++k) {
            QVERIFY(form->largeBox(k)->marks().empty());
        }
        QCOMPARE(form->gridBox()->margin()->numberOf(0), std::nullopt);
    }

    void f8GoesFromMarkToMarkAcrossTheBoxes() {
        // Nothing marked: F8 does nothing.
        form->articleBox(1)->setFocus();
        QTest::keyClick(form.get(), Qt::Key_F8);
        QCOMPARE(QApplication::focusWidget(), form->articleBox(1));
        QCOMPARE(form->articleBox(1)->textCursor().position(), 0);

        fill(kArticle1, kArticle2, kArticle3);
        check();
        QApplication::setActiveWindow(form.get());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        form->checkButton()->setFocus();
        const auto at = [this] {
            for (int k = 0; k < 3; ++k) {
                if (form->largeBox(k)->hasFocus()) {
                    const QTextCursor cursor = form->largeBox(k)->textCursor();
                    return std::pair(k, cursor.positionInBlock() == 0 ? cursor.blockNumber() : -1);
                }
            }
            return std::pair(-1, -1);
        };
        const std::vector<std::pair<int, int>> order = {{0, 4}, {1, 4}, {2, 1}, {2, 2},
                                                        {2, 3}, {2, 5}, {2, 6}, {0, 4}};
        for (const auto& expected : order) {
            QTest::keyClick(form.get(), Qt::Key_F8);
            QCOMPARE(at(), expected);
        }
        // Back again, round the start.
        QTest::keyClick(form.get(), Qt::Key_F8, Qt::ShiftModifier);
        QCOMPARE(at(), std::pair(2, 6));
        QTest::keyClick(form.get(), Qt::Key_F8, Qt::ShiftModifier);
        QCOMPARE(at(), std::pair(2, 5));
        // The marks and the text are untouched by going.
        QCOMPARE(form->articleBox(2)->marks().paragraphs(), (std::vector<int>{1, 2, 3, 5, 6}));
    }

    void theReportIsWideSelectableAndCopiesWhole() {
        fill(kArticle1, kArticle2, kArticle3);
        QApplication::clipboard()->clear();
        int noteWidth = 0;
        Qt::TextInteractionFlags selectable;
        whenModalOpens([&](QMessageBox* box) {
            auto* notes = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"));
            QVERIFY(notes != nullptr);
            noteWidth = notes->width();
            selectable = notes->textInteractionFlags();
            // Keys reach the report once it is the active window.
            QVERIFY(QTest::qWaitForWindowActive(box));
            QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
            box->button(QMessageBox::Ok)->click();
        });
        form->checkButton()->click();
        QVERIFY(selectable.testFlag(Qt::TextSelectableByMouse));
        // The longest note, 105 characters, needs no more than two lines.
        QVERIFY2(noteWidth >= 60 * form->fontMetrics().averageCharWidth(),
                 qPrintable(QString::number(noteWidth)));
        QCOMPARE(QApplication::clipboard()->text(),
                 QStringLiteral("Minimum length = 26 words\nThe spin text gives 36 different "
                                "articles; two of them share on average 45 % of their runs "
                                "of four words.\n") +
                     kMarkNote + QStringLiteral("\nArticle 2 gives no version for paragraph 7.\n") +
                     kSameNote +
                     QStringLiteral("\nBlank lines count as paragraphs: the first line is the "
                                    "title, and the second is left out of the minimum.\n"));
    }
};

QTEST_MAIN(ReportMarksTest)
#include "report_marks_test.moc"
