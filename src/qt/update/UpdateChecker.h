#pragma once

#include "LibXmlParser.h"
#include "LinuxVolumeInfo.h"
#include "update/QtHttpClient.h"
#include "update/QtSettingsStore.h"
#include "update/UpdateConsent.h"
#include "update/UpdateDocument.h"
#include "update/UpdateRequest.h"

#include <QObject>
#include <QThreadPool>

#include <optional>

class QWidget;

namespace dv::qt {

// The online update: the settings read at start and written at exit, the
// question once the start page is in, the request to the service and the
// processing of its answer.
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

    // The service's base address: DATAVIND_UPDATE_URL when set (staging,
    // tests), else the one the disc was built for.
    static std::string serviceBase();

    void startPageLoaded();
    void DoAutoUpdate();
    void writeRegSettings();
    QtHttpClient& httpClient() { return http_; }

Q_SIGNALS:
    // An answer's plan has been carried out (tests wait for it).
    void answerProcessed();

private:
    void requestTermination() override;
    void answered(const std::string& body);

    QWidget& mainWindow_;
    ConsentDialog& consentDialog_;
    QtSettingsStore store_;
    UpdateConsent consent_;
    LinuxVolumeInfo volume_;
    QtHttpClient http_;
    LibXmlParser parser_;
    UpdateDocument document_;
    UpdateRequest request_;
    // Documents are parsed and read here, one at a time and in the order
    // their answers came, never on the user-interface thread.
    QThreadPool reading_;
};

} // namespace dv::qt
