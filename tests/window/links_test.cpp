// The three links: what a screen reader sees, their captions, the addresses
// they open, and an address that cannot be opened.
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
#include "window/widgets/widgets.h"

using namespace kestrelwick;

namespace {

// On Windows the links open through the shell's own call, which the tests of
// that call cover; here it would start a browser.
#ifdef Q_OS_WIN
#define SKIP_WHERE_LINKS_GO_THROUGH_THE_SHELL() \
    QSKIP("links open through the Windows shell, tested on their own")
#else
#define SKIP_WHERE_LINKS_GO_THROUGH_THE_SHELL()
#endif

}  // namespace

class LinksTest : public FormTest {
    Q_OBJECT

  private slots:
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
            {form->link(Form1::Link::MagicArticleSubmitter), "Magic Article Submitter",
             "Go to Magic Article Submitter website", "/magic.php"},
            {form->link(Form1::Link::ArticleMarketingAutomation), "Article Marketing Automation",
             "Go to Article Marketing Automation website", "/ama.php"},
            {form->link(Form1::Link::UniqueArticleWizard), "Unique Article Wizard",
             "Go to Unique Article Wizard website", "/uaw.php"},
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
        QCOMPARE(QApplication::focusWidget(), form->articleBox(0));
    }

    void linkCaptionsShareTheLargestSizeThatFitsThemAll() {
        const qreal size = form->link(Form1::Link::UniqueArticleWizard)->font().pointSizeF();
        QCOMPARE(form->link(Form1::Link::ArticleMarketingAutomation)->font().pointSizeF(), size);
        QCOMPARE(form->link(Form1::Link::MagicArticleSubmitter)->font().pointSizeF(), size);
        QVERIFY(size <= 8.25);
        // A quarter point more would not fit at least one of them.
        if (size < 8.25) {
            QFont larger = form->link(Form1::Link::UniqueArticleWizard)->font();
            larger.setPointSizeF(size + 0.25);
            const QFontMetrics metrics(larger);
            bool oneOverflows = false;
            for (LinkLabel* link : {form->link(Form1::Link::UniqueArticleWizard),
                                    form->link(Form1::Link::ArticleMarketingAutomation),
                                    form->link(Form1::Link::MagicArticleSubmitter)}) {
                oneOverflows = oneOverflows || metrics.horizontalAdvance(link->text()) >
                                                   link->contentsRect().width();
            }
            QVERIFY(oneOverflows);
        }
    }

    void linksOpenTheirAddressesOnLeftClickOnly() {
        SKIP_WHERE_LINKS_GO_THROUGH_THE_SHELL();
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &recorder, "open");
        form->articleBox(0)->setText(u"kept");
        QTest::mouseClick(form->link(Form1::Link::UniqueArticleWizard), Qt::LeftButton);
        QTest::mouseClick(form->link(Form1::Link::ArticleMarketingAutomation), Qt::LeftButton);
        QTest::mouseClick(form->link(Form1::Link::MagicArticleSubmitter), Qt::LeftButton);
        QTest::mouseClick(form->link(Form1::Link::MagicArticleSubmitter), Qt::LeftButton);
        QTest::mouseClick(form->link(Form1::Link::UniqueArticleWizard), Qt::RightButton);
        QTest::mouseClick(form->countLabel(0), Qt::LeftButton);
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
        QCOMPARE(form->articleBox(0)->text(), u"kept");
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
        QTest::mouseClick(form->link(Form1::Link::ArticleMarketingAutomation), Qt::LeftButton);
        QCOMPARE(message, QStringLiteral("The link could not be opened in a web browser. To visit "
                                         "the website, copy its address into a browser:\n\n"
                                         "http://" KESTRELWICK_LINK_HOST "/ama.php"));
        QVERIFY(selectable.testFlag(Qt::TextSelectableByMouse));
    }
};

QTEST_MAIN(LinksTest)
#include "links_test.moc"
