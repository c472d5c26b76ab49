#include "browser/CommandMessage.h"

#include "support/ErrorReport.h"

#include <exception>
#include <memory>

namespace dv::win32 {

bool sendCommand(HWND window, std::string text) {
    auto record = std::make_unique<TCommand>(TCommand{std::move(text)});
    if (!IsWindow(window))
        return false;
    const LRESULT answer =
        SendMessageW(window, kCommandMessage, reinterpret_cast<WPARAM>(record.get()), 0);
    if (answer != kCommandTaken)
        return false; // nobody took it: it is freed here
    record.release(); // receiveCommand freed it
    return true;
}

LRESULT receiveCommand(WPARAM wParam, const std::function<void(const std::string&)>& run) {
    std::string text;
    {
        const std::unique_ptr<TCommand> record(reinterpret_cast<TCommand*>(wParam));
        if (record)
            text = std::move(record->Text);
    }
    try {
        run(text);
    } catch (const std::exception& e) {
        reportUnhandled(e.what());
    } catch (...) {
        reportUnhandled("Okänt fel");
    }
    return kCommandTaken;
}

} // namespace dv::win32
