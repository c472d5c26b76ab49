#pragma once

#include <string>
#include <string_view>

namespace dv {

class ExtraInfoDialog;
class FileLauncher;
class MessageBoxes;
class QuarantineList;
class StatusLine;
class TExtraInfoList;
class XmlParser;

// Ends the program once the current event is done.
class ApplicationEnd {
public:
    virtual ~ApplicationEnd() = default;
    virtual void requestTermination() = 0;
};

// Acts on an update document: refills the quarantine and note lists, opens
// announced pages, shows the service's messages. Whatever goes wrong stops
// the processing there, keeps what was done before, and says so on the
// status line. A message that may not be continued from ends the program,
// once every message of the document has been shown.
class UpdateDocument {
public:
    struct Parts {
        XmlParser& parser;
        QuarantineList& quarantine;
        TExtraInfoList& extraInfo;
        MessageBoxes& boxes;
        FileLauncher& launcher;
        ExtraInfoDialog& dialog;
        StatusLine& status;
        ApplicationEnd& end;
    };

    explicit UpdateDocument(Parts parts) : p_(parts) {}

    void AutoUpdateComplete(std::string_view text);

private:
    // Sets `end` once a message says the program may not go on.
    void process(std::string_view text, bool& end);
    Parts p_;
};

} // namespace dv
