#pragma once

#include <QUrl>

#include <functional>

namespace corvel {

// Opens a web page in the user's browser; tests capture the address instead.
using UrlOpener = std::function<void(const QUrl&)>;

// The desktop's default browser.
UrlOpener systemUrlOpener();

} // namespace corvel
