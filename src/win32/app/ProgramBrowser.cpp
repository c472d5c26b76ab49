#include "win32/app/ProgramBrowser.h"

#include "win32/browser/MyMessageHandler.h"
#include "win32/browser/Win32BrowserHost.h"

namespace dv::win32 {

void ProgramBrowser::furnish(TForm1::Environment& environment) {
    environment.createBrowser =
        [this](const TForm1::BrowserPlace& place) -> std::unique_ptr<BrowserHost> {
        auto host = std::make_unique<Win32BrowserHost>(
            Win32BrowserHost::Parts{place.panel, place.window, place.discRoot, place.status,
                                    place.progress, place.pageLoaded});
        host_ = host.get();
        return host;
    };
    environment.createMessageHook = [this]() -> std::unique_ptr<MessageFilter> {
        if (!host_)
            return nullptr;
        return std::make_unique<MyMessageHandler>(*host_);
    };
}

} // namespace dv::win32
