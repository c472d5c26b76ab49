#pragma once

#include "core/update/UpdatePlan.h"

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

    // All at once: the answer's text parsed, read and acted on.
    void AutoUpdateComplete(std::string_view text);

    // The same in steps, so that a front end can parse and read the
    // document (readUpdatePlan) away from its user-interface thread; these
    // two run on that thread, and AutoUpdatePlanned takes well under a frame
    // whatever the document, but for the boxes it shows.
    void answerReceived();
    void AutoUpdatePlanned(const UpdatePlan& plan);

  private:
    Parts p_;
};

} // namespace dv
