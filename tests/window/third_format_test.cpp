// A spin format defined only here, as one row of the formats' table: the
// window offers it, a check writes it, the switch changes into it and back
// with undo, and --spin reads it, all without a line of their own for it.

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

#include "console/console.h"
#include "processing/check_articles.h"
#include "processing/spinning.h"
#include "support/form_test.h"
#include "window/spin_format_choice.h"

using namespace kestrelwick;

class ThirdFormatTest : public FormTest {
    Q_OBJECT

    SpinFormat hash_{};

  private slots:
    void initTestCase() {
        hash_ = addSpinFormat({{u'{', u'}', u'#'},
                               u"hash format",
                               u"the hash format",
                               u"Hash format {a#b#c}",
                               u"hash",
                               u"hash"});
        FormTest::initTestCase();
    }

    void aRowIsAllAFormatNeeds() {
        SpinFormatChoice* choice = form->formatChoice();
        QCOMPARE(choice->count(), 3);
        QCOMPARE(choice->itemText(2), QStringLiteral("Hash format {a#b#c}"));
        choice->setFormat(hash_);
        QCOMPARE(form->outputBox()->accessibleName(),
                 QStringLiteral("Spin text output, hash format"));

        // The check writes the groups with its separator and names its marks.
        fill(u"One\r\nA cup # a mug", u"Two\r\nA glass", u"Three\r\nA bowl");
        const QStringList shown = check();
        const std::u16string hashed =
            u"{One#Two#Three}\r\n\r\n\r\n{A cup # a mug#A glass#A bowl}\r\n\r\n";
        QCOMPARE(form->outputBox()->text(), hashed);
        QVERIFY(shown[1].contains(QStringLiteral("Article 1: paragraph 2 contains {, } or #")));

        // The switch writes the check's groups again, and undo brings the
        // format back with the text.
        choice->setFormat(SpinFormat::Ama);
        QCOMPARE(form->outputBox()->text(),
                 u"{One~Two~Three}\r\n\r\n\r\n{A cup # a mug~A glass~A bowl}\r\n\r\n");
        form->outputBox()->undo();
        QCOMPARE(form->outputBox()->text(), hashed);
        QCOMPARE(choice->format(), hash_);

        // --spin finds the format in the text, and takes its word.
        const QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("spin.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{a#b} and {c#d}\n");
        file.close();
        for (const QStringList& arguments :
             {QStringList{QStringLiteral("--spin"), QStringLiteral("--seed"), QStringLiteral("4"),
                          path},
              QStringList{QStringLiteral("--spin"), QStringLiteral("--format"),
                          QStringLiteral("hash"), QStringLiteral("--seed"), QStringLiteral("4"),
                          path}}) {
            const CommandLine command =
                parseCommandLine(QStringList{QStringLiteral("kestrelwick")} + arguments);
            QBuffer in, out, err;
            in.open(QIODevice::ReadOnly);
            out.open(QIODevice::WriteOnly);
            err.open(QIODevice::WriteOnly);
            QCOMPARE(spinFile(command, in, out, err), 0);
            SpinRandom random(4);
            const auto expected = spinArticle(u"{a#b} and {c#d}\r\n", hash_, random);
            QCOMPARE(QString::fromUtf8(out.data()),
                     QString::fromStdU16String(std::get<std::u16string>(expected))
                         .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
            QCOMPARE(err.data(), QByteArray());
        }
        QVERIFY(usageText().contains(QStringLiteral("[--format ama|pipe|hash]")));
        QVERIFY(usageText().contains(QStringLiteral("hash, {a#b#c}.")));
        for (const QString& line : usageText().split(u'\n')) {
            QVERIFY2(line.size() < 80, qPrintable(line));
        }
    }
};

QTEST_MAIN(ThirdFormatTest)
#include "third_format_test.moc"
