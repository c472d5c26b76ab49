// Any answer from the update service: processing never fails unreported,
// always ends on one of its two closing texts, and opens only web pages.
#include "core/app/MessageBoxes.h"
#include "core/app/UrlHost.h"
#include "core/browser/CommandRunner.h"
#include "core/browser/FileLauncher.h"
#include "core/browser/TExtraInfoList.h"
#include "core/shell/StatusLine.h"
#include "core/update/QuarantineList.h"
#include "core/update/UpdateDocument.h"
#include "linux/LibXmlParser.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

struct Boxes : dv::MessageBoxes {
    dv::MessageAnswer show(const dv::MessageBoxRequest&) override { return dv::MessageAnswer::Ok; }
};
struct Launcher : dv::ProgramLauncher {
    std::optional<std::string> open(const std::string& file, const std::string&) override {
        if (!dv::isWebPageAddress(file))
            std::abort();
        return std::nullopt;
    }
};
struct Waiting : dv::WaitingWindow {
    void showWaiting() override {}
    void hideWaiting() override {}
};
struct Dialog : dv::ExtraInfoDialog {
    bool askToStart(const dv::TExtraInfo&) override { return false; }
    void showNotice(const dv::TExtraInfo&, const std::string&) override {}
};
struct Status : dv::StatusLine {
    std::string last;
    void setStatusText(const std::string& text) override { last = text; }
};
struct End : dv::ApplicationEnd {
    void requestTermination() override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    dv::LibXmlParser parser;
    dv::QuarantineList quarantine;
    dv::TExtraInfoList notes;
    Boxes boxes;
    Launcher launcher;
    Waiting waiting;
    dv::FileLauncher fileLauncher(launcher, waiting, boxes);
    Dialog dialog;
    Status status;
    End end;
    dv::UpdateDocument document(
        {parser, quarantine, notes, boxes, fileLauncher, dialog, status, end});
    document.AutoUpdateComplete(std::string_view(reinterpret_cast<const char*>(data), size));
    if (status.last != "Automatisk uppdatering klar..." &&
        status.last != "Automatisk uppdatering misslyckades!")
        std::abort();
    return 0;
}
