#pragma once

#include "core/update/OnlineUpdate.h"
#include "linux/LinuxVolumeInfo.h"
#include "qt/update/QtHttpClient.h"
#include "qt/update/QtPlanReading.h"
#include "qt/update/QtSettingsStore.h"

#include <QObject>

class QWidget;

namespace dv::qt {

// The online update on Linux: the core's OnlineUpdate over an INI file,
// the disc's label, Qt's HTTP client and libxml2 on a thread of its own. A
// message that may not be continued from closes the main window.
class UpdateChecker : public QObject, private ApplicationEnd {
    Q_OBJECT
  public:
    struct Parts {
        std::string discRoot;
        QuarantineList& quarantine;
        TExtraInfoList& extraInfo;
        MessageBoxes& boxes;
        FileLauncher& launcher;
        ExtraInfoDialog& notes;
        ConsentDialog& consent;
        StatusLine& status;
        QWidget& mainWindow;
    };

    explicit UpdateChecker(Parts parts);

    static std::string serviceBase() { return OnlineUpdate::serviceBase(); }

    void startPageLoaded() { update_.startPageLoaded(); }
    void DoAutoUpdate() { update_.DoAutoUpdate(); }
    void writeRegSettings() { update_.writeRegSettings(); }
    QtHttpClient& httpClient() { return http_; }

  Q_SIGNALS:
    // An answer's plan has been carried out (tests wait for it).
    void answerProcessed();

  private:
    void requestTermination() override;

    QWidget& mainWindow_;
    QtSettingsStore store_;
    LinuxVolumeInfo volume_;
    QtHttpClient http_;
    QtPlanReading reading_;
    OnlineUpdate update_;
};

} // namespace dv::qt
