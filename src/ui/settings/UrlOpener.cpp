#include "ui/settings/UrlOpener.h"

#include <QDesktopServices>

namespace corvel {

UrlOpener systemUrlOpener() {
    return [](const QUrl& url) { QDesktopServices::openUrl(url); };
}

} // namespace corvel
