// By paragraph or by sentence, driven through the real window: the choice
// beside the spin format (its name for screen readers, the settings), a
// check by sentence that writes what the engine writes, and the switch after
// a check: from the check's texts, one edit that undo takes back with the
// choice and the minimum, a question where the spin text was edited.

#include <QAccessible>
#include <QLabel>
#include <QMessageBox>
#include <QtTest>

#include <array>
#include <string>

#include "files/files.h"
#include "processing/check_articles.h"
#include "support/form_test.h"
#include "window/spin_by_choice.h"
#include "window/spin_format_choice.h"

using namespace kestrelwick;

namespace {

// The commute-by-bike example, written sentence for sentence.
std::array<std::u16string, 3> cycling() {
    std::array<std::u16string, 3> texts;
    for (std::size_t k = 0; k < texts.size(); ++k) {
        const ArticleFile file = readArticleFile(
            QStringLiteral(KESTRELWICK_SOURCE_DIR "/docs/examples/cycling-%1.txt").arg(k + 1));
        texts[k] = file.text;
    }
    return texts;
}

// The spin text and the minimum's caption of a check of texts.
struct Written {
    std::u16string text;
    QString minimum;
};
Written written(const std::array<std::u16string, 3>& texts, SpinFormat format, SpinBy by) {
    const CheckResult result = checkArticles({texts[0], texts[1], texts[2]}, format, by);
    return {std::u16string(writeSpinText(result.spinText, format)),
            qtText(result.captions[kArticleCount])};
}

}  // namespace

class SpinByTest : public FormTest {
    Q_OBJECT

    QLabel* minimum() const { return form->countLabel(int(kArticleCount)); }

  private slots:
    void theChoiceIsNamedAndKept() {
        SpinByChoice* choice = form->byChoice();
        QCOMPARE(choice->by(), SpinBy::Paragraph);
        QCOMPARE(choice->count(), 2);
        QCOMPARE(choice->itemText(1), QStringLiteral("By sentence"));
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(choice);
        QCOMPARE(read->text(QAccessible::Name), QStringLiteral("Spin by"));
        QCOMPARE(read->text(QAccessible::Value), QStringLiteral("By paragraph"));
        // Before any check a switch changes the choice alone.
        form->outputBox()->setText(u"{a~b}");
        QTest::keyClick(choice, Qt::Key_Down);
        QCOMPARE(choice->by(), SpinBy::Sentence);
        QCOMPARE(read->text(QAccessible::Value), QStringLiteral("By sentence"));
        QCOMPARE(form->outputBox()->accessibleName(),
                 QStringLiteral("Spin text output, AMA format, by sentence"));
        QCOMPARE(form->outputBox()->text(), u"{a~b}");
        form = std::make_unique<Form1>();
        QCOMPARE(form->byChoice()->by(), SpinBy::Sentence);
    }

    // A check by sentence in the pipe format writes what the engine writes,
    // and the minimum by sentence.
    void aCheckBySentenceWritesTheEnginesText() {
        const auto texts = cycling();
        fill(texts[0], texts[1], texts[2]);
        form->formatChoice()->setFormat(SpinFormat::Pipe);
        form->byChoice()->setBy(SpinBy::Sentence);
        const QStringList shown = check();
        const Written expected = written(texts, SpinFormat::Pipe, SpinBy::Sentence);
        QCOMPARE(form->outputBox()->text(), expected.text);
        QCOMPARE(minimum()->text(), QStringLiteral("Minimum words: 93"));
        QVERIFY(shown[0].contains(QStringLiteral("By paragraph the minimum would be 97 words")));
        QVERIFY(shown[1].contains(QStringLiteral("Paragraph 5 keeps one group")));
    }

    // After a check, a switch writes the check's texts again by the choice,
    // whatever the article boxes hold since; undo and redo bring back the
    // choice and the minimum with the text, and the format switch still
    // writes what a check in the format would.
    void theSwitchRewritesTheLastCheck() {
        const auto texts = cycling();
        fill(texts[0], texts[1], texts[2]);
        check();
        const Written byParagraph = written(texts, SpinFormat::Ama, SpinBy::Paragraph);
        const Written bySentence = written(texts, SpinFormat::Ama, SpinBy::Sentence);
        QCOMPARE(form->outputBox()->text(), byParagraph.text);
        form->articleBox(0)->setText(u"Edited since the check. Quite.");

        SpinByChoice* choice = form->byChoice();
        choice->setFocus(Qt::TabFocusReason);
        QTest::keyClick(choice, Qt::Key_Down);
        QCOMPARE(choice->by(), SpinBy::Sentence);
        QCOMPARE(form->outputBox()->text(), bySentence.text);
        QCOMPARE(minimum()->text(), bySentence.minimum);

        form->outputBox()->setFocus();
        QTest::keyClick(form->outputBox(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(form->outputBox()->text(), byParagraph.text);
        QCOMPARE(choice->by(), SpinBy::Paragraph);
        QCOMPARE(choice->currentIndex(), int(SpinBy::Paragraph));
        QCOMPARE(minimum()->text(), byParagraph.minimum);
        QTest::keyClick(form->outputBox(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(form->outputBox()->text(), bySentence.text);
        QCOMPARE(choice->by(), SpinBy::Sentence);
        QCOMPARE(minimum()->text(), bySentence.minimum);

        form->formatChoice()->setFormat(SpinFormat::Pipe);
        QCOMPARE(form->outputBox()->text(),
                 written(texts, SpinFormat::Pipe, SpinBy::Sentence).text);
        // Clear form leaves no check to write from.
        clearForm(QMessageBox::Yes);
        choice->setBy(SpinBy::Paragraph);
        QVERIFY(form->outputBox()->text().empty());
    }

    // After a hand edit the switch asks first: No leaves the text and the
    // choice as they were, Yes writes the check's text over the edit.
    void aHandEditIsAskedAbout() {
        const auto texts = cycling();
        fill(texts[0], texts[1], texts[2]);
        check();
        form->outputBox()->setText(u"{my own~groups}");
        QString asked;
        dismissNextModal(asked);  // No
        form->byChoice()->setBy(SpinBy::Sentence);
        QCOMPARE(asked, QStringLiteral("The spin text has been edited since the last check. "
                                       "Write the last check's spin text by sentence over it?"));
        QCOMPARE(form->byChoice()->by(), SpinBy::Paragraph);
        QCOMPARE(form->byChoice()->currentIndex(), int(SpinBy::Paragraph));
        QCOMPARE(form->outputBox()->text(), u"{my own~groups}");

        whenModalOpens([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
        form->byChoice()->setBy(SpinBy::Sentence);
        QCOMPARE(form->outputBox()->text(), written(texts, SpinFormat::Ama, SpinBy::Sentence).text);
        form->outputBox()->undo();
        QCOMPARE(form->outputBox()->text(), u"{my own~groups}");
        QCOMPARE(form->byChoice()->by(), SpinBy::Paragraph);
    }
};

QTEST_MAIN(SpinByTest)
#include "spin_by_test.moc"
