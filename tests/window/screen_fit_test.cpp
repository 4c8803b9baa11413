// The window on a real X server with a real window manager, as a user meets
// it: where its frame lands on the screen, and whether both buttons can be
// reached with the keyboard and pressed with the mouse. Run by screen_xvfb.sh,
// which sets the screen size, the scale and what to expect:
//
//   KESTRELWICK_EXPECT=design     the window has its design size, no scrolling
//   KESTRELWICK_EXPECT=fitted     the screen is smaller: the layout shrinks to
//                                 fit it, with no scroll bar
//   KESTRELWICK_EXPECT=maximised  the window is maximised and its boxes fill
//                                 the screen
//
// Keys and clicks are sent through the X server with xdotool, so they reach
// the window exactly as a person's would.

#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QWindow>
#include <QtTest>

#include "support/modal.h"
#include "window/form1.h"
#include "window/widgets/widgets.h"

using namespace kestrelwick;

namespace {

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(10000) || process.exitCode() != 0) {
        return {};
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

int field(const QString& text, const QString& pattern) {
    const auto match = QRegularExpression(pattern).match(text);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The window's frame in device pixels, as the X server and the window
// manager have it: the client's place and size from xwininfo, widened by the
// frame extents that the window manager announces.
QRect frameOnScreen(WId window) {
    const QString id = QString::number(window);
    const QString info = run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id});
    const QString extents = run(QStringLiteral("xprop"),
                                {QStringLiteral("-id"), id, QStringLiteral("_NET_FRAME_EXTENTS")});
    const auto numbers =
        QRegularExpression(QStringLiteral("= (\\d+), (\\d+), (\\d+), (\\d+)")).match(extents);
    if (info.isEmpty() || !numbers.hasMatch()) {
        return {};
    }
    const QRect client(field(info, QStringLiteral("Absolute upper-left X:\\s+(-?\\d+)")),
                       field(info, QStringLiteral("Absolute upper-left Y:\\s+(-?\\d+)")),
                       field(info, QStringLiteral("Width:\\s+(\\d+)")),
                       field(info, QStringLiteral("Height:\\s+(\\d+)")));
    return client.adjusted(-numbers.captured(1).toInt(), -numbers.captured(3).toInt(),
                           numbers.captured(2).toInt(), numbers.captured(4).toInt());
}

void xdotool(const QStringList& arguments) {
    QProcess::execute(QStringLiteral("xdotool"), arguments);
}

}  // namespace

class ScreenFitTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("prjKestrelwick")); }

    void windowLiesOnTheScreenAndBothButtonsCanBePressed() {
        const QString expect = qEnvironmentVariable("KESTRELWICK_EXPECT");
        QVERIFY(expect == QStringLiteral("design") || expect == QStringLiteral("fitted") ||
                expect == QStringLiteral("maximised"));

        Form1 form;
        form.fitToScreen();
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTRY_VERIFY(!form.windowHandle()->frameMargins().isNull());
        if (expect == QStringLiteral("maximised")) {
            // As the user does, with the window up.
            form.showMaximized();
            QTRY_VERIFY(form.width() > 910 && form.height() > 820);
        }

        // The whole frame, title bar included, on the screen as X has it.
        const QScreen* screen = form.screen();
        const qreal scale = form.devicePixelRatioF();
        const QRect area = screen->availableGeometry();
        const QRect areaInPixels(
            QPoint(qRound(area.x() * scale), qRound(area.y() * scale)),
            QSize(qRound(area.width() * scale), qRound(area.height() * scale)));
        QTRY_VERIFY_WITH_TIMEOUT(areaInPixels.contains(frameOnScreen(form.winId())), 5000);
        const QRect frame = frameOnScreen(form.winId());
        QVERIFY2(form.windowHandle()->frameMargins().top() > 0, "no title bar");
        qInfo("screen %dx%d at scale %.2f: frame at %d,%d, %dx%d", areaInPixels.width(),
              areaInPixels.height(), scale, frame.x(), frame.y(), frame.width(), frame.height());

        QScrollArea* scroller = form.scrollArea();
        if (expect == QStringLiteral("design")) {
            QCOMPARE(form.size(), QSize(910, 820));
            QVERIFY(!scroller->verticalScrollBar()->isVisible());
            QVERIFY(!scroller->horizontalScrollBar()->isVisible());
            QCOMPARE(form.checkButton()->mapTo(&form, QPoint(0, 0)), QPoint(472, 704));
            QCOMPARE(form.clearButton()->mapTo(&form, QPoint(0, 0)), QPoint(784, 736));
            QCOMPARE(form.outputBox()->mapTo(&form, QPoint(0, 0)), QPoint(456, 368));
            QCOMPARE(form.link(Form1::Link::MagicArticleSubmitter)->mapTo(&form, QPoint(0, 0)),
                     QPoint(24, 16));
        } else {
            // The canvas is the window's client area, laid out by the rule,
            // and every box and button is whole and in sight.
            QTRY_COMPARE(scroller->widget()->size(), form.size());
            QVERIFY(!scroller->verticalScrollBar()->isVisible());
            QVERIFY(!scroller->horizontalScrollBar()->isVisible());
            const Form1::Layout layout = Form1::layoutFor(form.size());
            for (int k = 0; k < 4; ++k) {
                QCOMPARE(form.largeBox(k)->geometry(), layout.largeBoxes[std::size_t(k)]);
            }
            QCOMPARE(form.gridBox()->geometry(), layout.gridBox);
            QCOMPARE(form.checkButton()->geometry(), layout.checkButton);
            QCOMPARE(form.clearButton()->geometry(), layout.clearButton);
            for (const QWidget* control : std::initializer_list<const QWidget*>{
                     form.articleBox(0), form.articleBox(1), form.articleBox(2), form.outputBox(),
                     form.gridBox(), form.checkButton(), form.clearButton()}) {
                const QRect shown(control->mapTo(scroller->viewport(), QPoint(0, 0)),
                                  control->size());
                QVERIFY(scroller->viewport()->rect().contains(shown));
            }
            if (expect == QStringLiteral("maximised")) {
                // The frame spans the screen, and the boxes with it: the
                // right-hand boxes end 37 pixels from the window's right edge
                // (a pixel more where the width is odd), as at the design size.
                QVERIFY(frame.width() >= areaInPixels.width() - 3);
                const int right = form.articleBox(1)->geometry().right() + 1;
                QVERIFY(form.width() - right == 37 || form.width() - right == 38);
            } else {
                // Shrunk to fit: as large as the screen allows.
                QVERIFY(frame.height() >= areaInPixels.height() - 3 ||
                        frame.width() >= areaInPixels.width() - 3);
            }
        }

        // From the first box, Tab reaches Check Articles (past the output box,
        // its spin format and what a group holds) and then Clear form,
        // scrolling each into view;
        // a real click then presses it.
        QCOMPARE(QApplication::focusWidget(), form.articleBox(0));
        const struct {
            QPushButton* button;
            int tabs;
        } steps[] = {{form.checkButton(), 6}, {form.clearButton(), 2}};
        for (const auto& step : steps) {
            for (int i = 0; i < step.tabs; ++i) {
                xdotool({QStringLiteral("key"), QStringLiteral("Tab")});
                QTest::qWait(50);
            }
            QTRY_COMPARE(QApplication::focusWidget(), step.button);
            const QWidget* viewport = scroller->viewport();
            const QRect shown(step.button->mapTo(viewport, QPoint(0, 0)), step.button->size());
            QVERIFY(viewport->rect().contains(shown));

            QSignalSpy clicked(step.button, &QPushButton::clicked);
            QString asked;
            dismissNextModal(asked);
            const QPoint centre = step.button->mapToGlobal(step.button->rect().center());
            xdotool({QStringLiteral("mousemove"), QString::number(qRound(centre.x() * scale)),
                     QString::number(qRound(centre.y() * scale)), QStringLiteral("click"),
                     QStringLiteral("1")});
            QTRY_COMPARE(clicked.count(), 1);
            QVERIFY(!asked.isEmpty());
        }
    }
};

QTEST_MAIN(ScreenFitTest)
#include "screen_fit_test.moc"
