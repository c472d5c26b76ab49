#pragma once

#include "core/update/UpdateConsent.h"
#include "core/update/UpdateDocument.h"
#include "core/update/UpdatePlan.h"
#include "core/update/UpdateRequest.h"

#include <functional>
#include <string>

namespace dv {

// Reads an answer's plan (readUpdatePlan) away from the user-interface
// thread, one answer at a time and in the order they came, and hands each
// plan back on that thread.
class PlanReading {
  public:
    virtual ~PlanReading() = default;
    virtual void read(std::string answer, std::function<void(UpdatePlan)> planned) = 0;
};

// The online update as a front end composes it: the settings read when the
// main window is put together (never created then) and written when it
// goes, the question once the first start page is in, the request to the
// service, and its answer read elsewhere and carried out here.
class OnlineUpdate {
  public:
    struct Parts {
        SettingsStore& store;
        ConsentDialog& consent;
        VolumeInfo& volume;
        HttpClient& http;
        PlanReading& reading;
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
    // Called once each answer has been carried out (tests wait for it).
    void onAnswerProcessed(std::function<void()> processed) { processed_ = std::move(processed); }

  private:
    void answered(const std::string& body);

    SettingsStore& store_;
    ConsentDialog& consentDialog_;
    PlanReading& reading_;
    UpdateConsent consent_;
    UpdateDocument document_;
    UpdateRequest request_;
    std::function<void()> processed_;
};

} // namespace dv
