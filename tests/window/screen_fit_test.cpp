// The window on a real X server with a real window manager, as a user meets
// it: where its frame lands on the screen, and whether both buttons can be
// reached with the keyboard and pressed with the mouse. Run by screen_xvfb.sh,
// which sets the screen size, the scale and what to expect:
//
//   KESTRELWICK_EXPECT=design    the window has its design size, no scrolling
//   KESTRELWICK_EXPECT=scrolled  the screen is too small: the layout scrolls
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

#include "window/controls.h"
#include "window/form1.h"
#include "window/modal.h"
#include "window/text_box.h"

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
        QVERIFY(expect == QStringLiteral("design") || expect == QStringLiteral("scrolled"));

        Form1 form;
        form.fitToScreen();
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTRY_VERIFY(!form.windowHandle()->frameMargins().isNull());

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
            QCOMPARE(form.command1()->mapTo(&form, QPoint(0, 0)), QPoint(472, 704));
            QCOMPARE(form.command2()->mapTo(&form, QPoint(0, 0)), QPoint(784, 736));
            QCOMPARE(form.text1(3)->mapTo(&form, QPoint(0, 0)), QPoint(456, 368));
            QCOMPARE(form.label4()->mapTo(&form, QPoint(0, 0)), QPoint(24, 16));
        } else {
            QTRY_VERIFY(scroller->verticalScrollBar()->isVisible());
            // As large as fits: the frame takes the whole height.
            QVERIFY(frame.height() >= areaInPixels.height() - 3);
        }

        // From the first box, Tab reaches Check Articles and then Clear form,
        // scrolling each into view; a real click then presses it.
        QCOMPARE(QApplication::focusWidget(), form.text1(0));
        const struct {
            QPushButton* button;
            int tabs;
        } steps[] = {{form.command1(), 4}, {form.command2(), 2}};
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
