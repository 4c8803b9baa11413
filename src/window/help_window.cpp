#include "window/help_window.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "window/shortcuts.h"

namespace kestrelwick {

namespace {

const QString kObjectName = QStringLiteral("helpWindow");

QString escaped(const QString& text) {
    return text.toHtmlEscaped();
}

QString paragraph(const QString& text) {
    return QStringLiteral("<p>") + escaped(text) + QStringLiteral("</p>");
}

QString keyTable() {
    QString html = QStringLiteral(
        "<table cellspacing=\"0\" cellpadding=\"2\"><tr><th align=\"left\">Keys</th>"
        "<th align=\"left\">What it does</th><th align=\"left\">Where</th></tr>");
    for (const KeyRow& row : keyRows()) {
        html += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td><td>%3</td></tr>")
                    .arg(escaped(keysText(row)), escaped(doesText(row)), escaped(whereText(row)));
    }
    return html + QStringLiteral("</table>");
}

}  // namespace

QString helpHtml(const SavedWorkPlace& place) {
    const QString path = QDir::toNativeSeparators(place.path);
    QString html =
        paragraph(QStringLiteral(
            "Kestrelwick checks three versions of one article, written paragraph for paragraph: "
            "it counts their words, shows the minimum article length and says what would spoil "
            "the spin text. It writes the three versions into the output box as a spin text, one "
            "group of alternatives a paragraph, in AMA format {a~b~c} or the pipe format "
            "{a|b|c}. From the spin text it previews spun articles and saves a batch of them "
            "that repeat each other as little as the text allows.")) +
        QStringLiteral("<h3>Keys</h3>") + keyTable() +
        paragraph(QStringLiteral("Each box's menu (right-click, %1) offers the same, each item "
                                 "with its underlined letter. The README that comes with "
                                 "Kestrelwick says more: every note of the report, the spin "
                                 "formats, the batch and the command line.")
                      .arg(keysText(Command::BoxMenu))) +
        QStringLiteral("<h3>Your work</h3>");
    if (place.kept) {
        html += paragraph(QStringLiteral("The three articles and the spin text are saved as you "
                                         "work, and come back at the next start, in:")) +
                QStringLiteral("<p><code>") + escaped(path) + QStringLiteral("</code></p>");
    } else {
        html += paragraph(QStringLiteral("This window saves nothing; its title says why. The "
                                         "saved work stays in \"%1\" for the window that keeps "
                                         "it.")
                              .arg(path));
    }
    return html + QStringLiteral("<h3>Version</h3>") +
           paragraph(QStringLiteral("Kestrelwick " KESTRELWICK_VERSION_TEXT
                                    ", free software under the MIT licence."));
}

void showHelp(QWidget* window, const SavedWorkPlace& place) {
    if (auto* open = window->findChild<QDialog*>(kObjectName)) {
        open->raise();
        open->activateWindow();
        return;
    }
    auto* help = new QDialog(window);
    help->setObjectName(kObjectName);
    help->setAttribute(Qt::WA_DeleteOnClose);
    help->setWindowTitle(QStringLiteral("Kestrelwick help"));
    auto* text = new QTextBrowser(help);
    text->setHtml(helpHtml(place));
    text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text->setAccessibleName(QStringLiteral("Kestrelwick help"));
    text->setAccessibleDescription(
        QStringLiteral("What Kestrelwick does, its keys, where your work is saved, its version "
                       "and licence"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, help);
    QObject::connect(buttons, &QDialogButtonBox::rejected, help, &QDialog::reject);
    auto* layout = new QVBoxLayout(help);
    layout->addWidget(text);
    layout->addWidget(buttons);
    help->resize(700, 660);
    help->show();
    help->activateWindow();
    text->setFocus();
}

}  // namespace kestrelwick
