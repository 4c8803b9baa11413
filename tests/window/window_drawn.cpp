// The real window on the system's own platform (Windows' under Wine, xcb on
// Linux), for tests/window/window_drawn_test.sh: it opens the worked
// example, checks it, and while the report is open prints the families of
// the fonts its controls are drawn in and the screen rectangles of the links
// and of the count labels that the report leaves uncovered, then "ready".
// Eight seconds on it closes the report and ends.

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

#include "support/dog_training_article.h"
#include "window/form1.h"
#include "window/widgets/widgets.h"

using namespace kestrelwick;

namespace {

void say(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

// "font NAME FAMILY FOUND": the family a control is drawn in, and whether
// the system has that family (rather than a face it stood in with).
void sayFont(const QString& name, const QWidget* control) {
    const QString family = QFontInfo(control->font()).family();
    say(QStringLiteral("font %1 %2|%3")
            .arg(name, family,
                 QFontDatabase::families().contains(family) ? QStringLiteral("found")
                                                            : QStringLiteral("missing")));
}

// "rect NAME X Y W H" in the screen's pixels.
void sayRect(const QString& name, const QWidget* control) {
    const qreal scale = control->devicePixelRatioF();
    const QPoint at = control->mapToGlobal(QPoint(0, 0));
    say(QStringLiteral("rect %1 %2 %3 %4 %5")
            .arg(name)
            .arg(qRound(at.x() * scale))
            .arg(qRound(at.y() * scale))
            .arg(qRound(control->width() * scale))
            .arg(qRound(control->height() * scale)));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Form1::setUpApplication();
    Form1 form;
    form.articleBox(0)->setText(testing::kDogs1);
    form.articleBox(1)->setText(testing::kDogs2);
    form.articleBox(2)->setText(testing::kDogs3);
    form.fitToScreen();
    form.show();

    QTimer::singleShot(1500, &form, [&form] {
        QTimer::singleShot(1500, &form, [&form] {
            auto* report = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (report == nullptr) {
                say(QStringLiteral("no report"));
                QApplication::exit(1);
                return;
            }
            sayFont(QStringLiteral("articleBox"), form.articleBox(0));
            sayFont(QStringLiteral("outputBox"), form.outputBox());
            sayFont(QStringLiteral("gridBox"), form.gridBox());
            sayFont(QStringLiteral("countLabel"), form.countLabel(0));
            sayFont(QStringLiteral("checkButton"), form.checkButton());
            sayFont(QStringLiteral("report"), report);
            const QList<std::pair<QString, Form1::Link>> links = {
                {QStringLiteral("link-mas"), Form1::Link::MagicArticleSubmitter},
                {QStringLiteral("link-ama"), Form1::Link::ArticleMarketingAutomation},
                {QStringLiteral("link-uaw"), Form1::Link::UniqueArticleWizard}};
            for (const auto& [name, which] : links) {
                sayFont(name, form.link(which));
                sayRect(name, form.link(which));
            }
            const QRect covered = report->frameGeometry();
            for (int k = 0; k < 4; ++k) {
                QLabel* label = form.countLabel(k);
                const QRect onScreen(label->mapToGlobal(QPoint(0, 0)), label->size());
                if (!onScreen.intersects(covered)) {
                    sayRect(QStringLiteral("label-%1").arg(k), label);
                }
            }
            say(QStringLiteral("ready"));
            QTimer::singleShot(8000, report, &QMessageBox::accept);
        });
        form.checkButton()->click();
        QApplication::quit();
    });
    return QApplication::exec();
}
