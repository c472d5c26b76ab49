#pragma once

#include "update/UpdateConsent.h"
#include "update/UpdateDocument.h"
#include "update/UpdateRequest.h"

#include <string>

namespace dv {

class XmlParser;

// The online update as a front end composes it: the settings read when the
// main window is put together (never created then) and written when it
// goes, the question once the first start page is in, the request to the
// service and the processing of its answer.
class OnlineUpdate {
public:
    struct Parts {
        SettingsStore& store;
        ConsentDialog& consent;
        VolumeInfo& volume;
        HttpClient& http;
        XmlParser& parser;
        QuarantineList& quarantine;
        TExtraInfoList& extraInfo;
        MessageBoxes& boxes;
        FileLauncher& launcher;
        ExtraInfoDialog& notes;
        StatusLine& status;
        ApplicationEnd& end;
    };

    // Reads the settings (readRegSettings).
    OnlineUpdate(Parts parts, std::string serviceBase);

    // The service's base address: DATAVIND_UPDATE_URL when set (staging,
    // tests), else the one the disc was built for.
    static std::string serviceBase();

    // The end of the first start page's loading: asks or checks as the
    // reader decided.
    void startPageLoaded();
    void DoAutoUpdate();
    // Writes the settings, creating the store (writeRegSettings).
    void writeRegSettings();

    const Settings& settings() const { return consent_.settings(); }

private:
    SettingsStore& store_;
    ConsentDialog& consentDialog_;
    UpdateConsent consent_;
    UpdateDocument document_;
    UpdateRequest request_;
};

} // namespace dv
