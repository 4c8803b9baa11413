#include "window/link_opener.h"

#include <QDesktopServices>
#include <QUrl>

#ifdef Q_OS_WIN
#include "window/shell_open.h"
#endif

#include "window/messages.h"

namespace kestrelwick {

bool openLink(const QString& address) {
#ifdef Q_OS_WIN
    // The shell takes the address in the system's single-byte code page, and
    // opens it in the handler's default window state.
    const QByteArray file = address.toLocal8Bit();
    return shellOpen(file.constData(), kShowDefault) > kLastShellError;
#else
    return QDesktopServices::openUrl(QUrl(address));
#endif
}

void followLink(QWidget* parent, const QString& address) {
    if (openLink(address)) {
        return;
    }
    warn(parent,
         QStringLiteral("The link could not be opened in a web browser. To visit the website, copy "
                        "its address into a browser:\n\n") +
             address,
         MessageText::Selectable);
}

}  // namespace kestrelwick
