#pragma once

#include "core/app/MainWindowFrame.h"
#include "core/browser/CommandQueue.h"
#include "core/browser/CommandRunner.h"
#include "core/browser/DownloadIndicator.h"
#include "core/browser/TExtraInfoList.h"
#include "core/shell/HiddenScreenKeys.h"
#include "core/shell/HighlightDisplay.h"
#include "core/shell/HotSpotCatalog.h"
#include "core/shell/HotSpotCommands.h"
#include "core/shell/HotSpotDispatch.h"
#include "core/shell/HotSpotFocus.h"
#include "core/shell/HoverController.h"
#include "core/shell/StatusLine.h"
#include "core/update/QuarantineList.h"
#include "qt/browser/QtProgramLauncher.h"

#include <QPixmap>
#include <QPoint>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

class QLabel;
class QProgressBar;
class QTimer;
class QUrl;

namespace dv {
class MessageBoxes;
class SaveDialog;
class StartupTick;
} // namespace dv

namespace dv::qt {

class HotSpotLabel;
class MyMessageHandler;
class PlayerControls;
class QtSaveDialog;
class QtBrowserHost;
class TAutoUpdateSettingsForm;
class TExtraInfoForm;
class TForm2;
class UpdateChecker;
class TProgStartingForm;

// The skinned main window. It owns its controls and the core objects, and
// forwards every control event to them. Its hot-spots are reached with Tab
// as HotSpotFocus says and seen by screen readers through
// MainWindowAccessible.
class TForm1 : public QWidget,
               private StatusLine,
               private HighlightDisplay,
               private ProgressView,
               private MainWindowFrame,
               private MainWindowActions,
               private HotSpotCommands {
    Q_OBJECT
  public:
    // What the composition root hands in.
    struct Environment {
        MessageBoxes* messageBoxes = nullptr;                      // required
        QString executablePath;                                    // empty: this program's own
        std::function<std::optional<std::string>()> engineVersion; // empty: the installed engine's
        SaveDialog* saveDialog = nullptr;                          // empty: the desktop's own
    };

    explicit TForm1(Environment environment);
    ~TForm1() override;

    // The secondary windows the main window's operations use; they are
    // created after the main window.
    void attachWindows(QWidget& fileSearch, TProgStartingForm& progStarting,
                       TAutoUpdateSettingsForm& consent, TExtraInfoForm& extraInfo,
                       TForm2& hiddenScreen);

    const std::string& discRoot() const { return discRoot_; }
    QuarantineList& quarantine() { return quarantine_; }
    TExtraInfoList& extraInfo() { return extraInfo_; }
    // Runs one command of a command link, after any command still running.
    void IECommand(const QString& commandText);
    QtBrowserHost& browserHost() { return *browser_; }
    bool isBordered() const { return bordered_; }
    QString statusText() const;
    StatusLine& statusLine() { return *this; }
    PlayerControls& playerControls() { return *player_; }
    UpdateChecker& updateChecker() { return *update_; }
    const HotSpotFocus& hotSpotFocus() const { return focus_; }
    // What screen readers find in the window, in their order.
    QList<QWidget*> accessibleChildren() const;

    // The start-up tick, also callable directly (tests); runs once.
    void StartupTimerTimer();

  Q_SIGNALS:
    void startupDone();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void setVisible(bool visible) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Typed characters reach the window unless a control took them.
    void keyPressEvent(QKeyEvent* event) override;
    // Tab and Shift+Tab among the hot-spots and into the page.
    bool focusNextPrevChild(bool next) override;

  private:
    // StatusLine
    void setStatusText(const std::string& text) override;
    // HighlightDisplay
    void setHighlightVisible(std::string_view pictureName, bool visible) override;
    // ProgressView
    void setProgressVisible(bool visible) override;
    void setProgressPosition(int position) override;
    void setProgressMaximum(int maximum) override;
    // MainWindowFrame
    void useBorderedWindow() override;
    void installMessageHook() override;
    void loadMusic() override;
    // MainWindowActions
    void closeMainWindow() override;
    void minimiseApplication() override;
    bool openInternetSettings() override;
    // HotSpotCommands
    void showFileSearch() override;
    void play() override;
    void stop() override;
    void saveTrack() override;
    void seek(int x, int width) override;

    void createPanels();
    void createHotSpots(bool arrowCursors);
    void createPlayer();
    // Runs an event's work; what escapes it is shown in an error box.
    void reported(const std::function<void()>& handler);
    HotSpotLabel* labelOf(const HotSpot& spot) const;
    void openWebPageInNewWindow(const QUrl& address);

    Environment env_;
    HotSpotCatalog catalog_;
    HoverController hover_;
    HotSpotFocus focus_;
    DownloadIndicator indicator_;
    std::string discRoot_;
    QPixmap background_;
    bool bordered_ = false;
    bool centred_ = false;
    std::optional<QPoint> dragOffset_;

    QLabel* IEPanel = nullptr;
    QWidget* Panel1 = nullptr;
    QWidget* Panel2 = nullptr;
    QLabel* lbStatus = nullptr;
    QProgressBar* pbDocument = nullptr;
    QTimer* StartupTimer = nullptr;
    QWidget* fileSearch_ = nullptr;
    bool fileSearchHiddenWithUs_ = false;
    TForm2* hiddenScreen_ = nullptr;
    HiddenScreenKeys keys_;
    std::map<std::string, QLabel*, std::less<>> highlights_;

    QuarantineList quarantine_;
    TExtraInfoList extraInfo_;
    QtProgramLauncher programLauncher_;
    std::unique_ptr<FileLauncher> fileLauncher_;
    std::unique_ptr<CommandRunner> runner_;
    CommandQueue commands_;
    std::unique_ptr<MyMessageHandler> hook_;
    std::unique_ptr<UpdateChecker> update_;
    std::unique_ptr<QtSaveDialog> ownSaveDialog_;
    std::unique_ptr<PlayerControls> player_;
    std::unique_ptr<QtBrowserHost> browser_;
    std::unique_ptr<StartupTick> tick_;
    std::unique_ptr<HotSpotDispatch> dispatch_;
};

} // namespace dv::qt
