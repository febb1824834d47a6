#include "Desktop.h"

#include <QDesktopServices>

namespace quorvex {

namespace {

std::unique_ptr<TDesktop>& Installed()
{
    static std::unique_ptr<TDesktop> desktop;
    return desktop;
}

} // namespace

TDesktop& Desktop()
{
    auto& installed = Installed();
    if (!installed)
        installed = std::make_unique<TQtDesktop>();
    return *installed;
}

std::unique_ptr<TDesktop> InstallDesktop(std::unique_ptr<TDesktop> desktop)
{
    auto previous = std::move(Installed());
    Installed() = std::move(desktop);
    return previous;
}

bool TQtDesktop::OpenUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

} // namespace quorvex
