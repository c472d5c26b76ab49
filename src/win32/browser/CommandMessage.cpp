#include "win32/browser/CommandMessage.h"

#include "core/app/ErrorReportText.h"
#include "win32/support/ErrorReport.h"

#include <exception>
#include <memory>
#include <set>

namespace dv::win32 {

namespace {

// The records sendCommand has on their way. The message number is an
// ordinary one any program may send (or broadcast) to our window; only an
// address found here is one of ours, safe to read and free.
std::set<const TCommand*>& recordsInFlight() {
    static std::set<const TCommand*> records;
    return records;
}

} // namespace

bool sendCommand(HWND window, std::string text, CommandStart start) {
    auto record = std::make_unique<TCommand>(TCommand{std::move(text), start});
    if (!IsWindow(window))
        return false;
    recordsInFlight().insert(record.get());
    const LRESULT answer =
        SendMessageW(window, kCommandMessage, reinterpret_cast<WPARAM>(record.get()), 0);
    if (answer != kCommandTaken) {
        recordsInFlight().erase(record.get());
        return false; // nobody took it: it is freed here
    }
    record.release(); // receiveCommand freed it
    return true;
}

LRESULT receiveCommand(WPARAM wParam,
                       const std::function<void(const std::string&, CommandStart)>& run) {
    const auto* address = reinterpret_cast<const TCommand*>(wParam);
    if (recordsInFlight().erase(address) == 0)
        return 0; // not sent by sendCommand: nothing to run, nothing to free
    std::string text;
    CommandStart start = CommandStart::ByReader;
    {
        const std::unique_ptr<const TCommand> record(address);
        text = record->Text;
        start = record->Start;
    }
    try {
        run(text, start);
    } catch (const std::exception& e) {
        reportUnhandled(e.what());
    } catch (...) {
        reportUnhandled(kUnknownErrorText);
    }
    return kCommandTaken;
}

} // namespace dv::win32
