#include "window/link_opener.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

#ifdef Q_OS_WIN
#include "window/shell_open.h"
#endif

#include "window/links.h"

namespace kestrelwick {

std::int32_t openLink(const QString& address, std::int32_t showState) {
#ifdef Q_OS_WIN
    // The shell takes the address in the system's single-byte code page.
    const QByteArray file = address.toLocal8Bit();
    return shellOpen(file.constData(), showState);
#else
    // The desktop opens the address in the default browser in its normal
    // state. The result reads like the shell's: above 32 when the desktop
    // took the address, "no application associated" (31) when it did not.
    Q_UNUSED(showState);
    constexpr std::int32_t kOpened = 33;
    constexpr std::int32_t kNoAssociation = 31;
    return QDesktopServices::openUrl(QUrl(address)) ? kOpened : kNoAssociation;
#endif
}

void followLink(QWidget* parent, const QString& address) {
    // The shell's results up to 32 are its errors.
    constexpr std::int32_t kLastShellError = 32;
    if (openLink(address, kShowDefault) > kLastShellError) {
        return;
    }
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(),
                    QStringLiteral("The link could not be opened in a web browser. To visit the "
                                   "website, copy its address into a browser:\n\n") +
                        address,
                    QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.exec();
}

}  // namespace kestrelwick
