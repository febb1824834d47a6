#pragma once

#include <QUrl>
#include <memory>

namespace quorvex {

// The desktop's open operation for web pages and mail addresses, behind an interface so that
// tests can record what would be opened instead of starting a browser.
class TDesktop {
public:
    TDesktop() = default;
    TDesktop(const TDesktop&) = delete;
    TDesktop& operator=(const TDesktop&) = delete;
    virtual ~TDesktop() = default;

    // Hands the address to the program the desktop uses for it; false when none took it.
    virtual bool OpenUrl(const QUrl& url) = 0;
};

// The desktop in use: QDesktopServices until another is installed.
TDesktop& Desktop();
// Puts `desktop` in use (nullptr: QDesktopServices again) and hands back the previous one.
std::unique_ptr<TDesktop> InstallDesktop(std::unique_ptr<TDesktop> desktop);

class TQtDesktop : public TDesktop {
public:
    bool OpenUrl(const QUrl& url) override;
};

} // namespace quorvex
