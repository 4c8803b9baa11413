#pragma once

// The fixture of the window's tests: before each test a fresh window, shown
// and active, and the ways a user drives it: filling the article boxes,
// clicking Check Articles and closing its report, clicking Clear form and
// answering its question.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>
#include <QtTest>

#include <memory>
#include <string_view>

#include "support/dog_training_article.h"
#include "support/modal.h"
#include "support/own_settings.h"
#include "window/form1.h"
#include "window/widgets/widgets.h"

// Takes the web addresses that the desktop is asked to open.
class UrlRecorder : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> urls;
  public slots:
    void open(const QUrl& url) { urls.append(url); }
};

class FormTest : public QObject {
    Q_OBJECT

  protected:
    std::unique_ptr<kestrelwick::Form1> form;

    void fill(std::u16string_view a1, std::u16string_view a2, std::u16string_view a3) {
        form->articleBox(0)->setText(a1);
        form->articleBox(1)->setText(a2);
        form->articleBox(2)->setText(a3);
    }
    void fillWorkedExample() {
        fill(kestrelwick::testing::kDogs1, kestrelwick::testing::kDogs2,
             kestrelwick::testing::kDogs3);
    }
    // Clicks Check Articles and closes its report; returns the report's text
    // and notes as the user saw them.
    QStringList check() {
        QStringList shown;
        whenModalOpens([&shown](QMessageBox* box) {
            shown << box->text() << box->informativeText();
            box->button(QMessageBox::Ok)->click();
        });
        form->checkButton()->click();
        return shown;
    }
    // Clicks Clear form and answers; Yes with Enter, the default button.
    void clearForm(QMessageBox::StandardButton answer) {
        whenModalOpens([answer](QMessageBox* box) {
            if (answer == QMessageBox::Yes) {
                QTest::keyClick(box, Qt::Key_Return);
            } else {
                box->button(answer)->click();
            }
        });
        form->clearButton()->click();
    }

  protected slots:
    void initTestCase() {
        // Settings go to a folder of this test program's own, never the
        // user's or another test's.
        QStandardPaths::setTestModeEnabled(true);
        kestrelwick::testing::useOwnSettings();
        kestrelwick::Form1::setUpApplication();
    }
    void init() {
        QSettings settings(QStringLiteral("Kestrelwick"), QCoreApplication::applicationName());
        settings.remove(QStringLiteral("spinFormat"));
        settings.remove(QStringLiteral("spinBy"));
        form = std::make_unique<kestrelwick::Form1>();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    void cleanup() { form.reset(); }
};
