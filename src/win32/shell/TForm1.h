#pragma once

#include "core/app/MainWindowFrame.h"
#include "core/app/StartupTick.h"
#include "core/browser/BrowserHost.h"
#include "core/browser/CommandRunner.h"
#include "core/browser/DownloadIndicator.h"
#include "core/browser/TExtraInfoList.h"
#include "core/shell/DisplayScale.h"
#include "core/shell/HiddenScreenKeys.h"
#include "core/shell/HighlightDisplay.h"
#include "core/shell/HotSpotCatalog.h"
#include "core/shell/HotSpotCommands.h"
#include "core/shell/HotSpotDispatch.h"
#include "core/shell/HotSpotFocus.h"
#include "core/shell/HoverController.h"
#include "core/shell/PlatformFacts.h"
#include "core/shell/StatusLine.h"
#include "core/update/QuarantineList.h"
#include "win32/browser/CommandLinks.h"
#include "win32/browser/ProgressBarView.h"
#include "win32/shell/HotSpotKeyboard.h"
#include "win32/shell/HotSpotLayer.h"
#include "win32/shell/Panel.h"
#include "win32/shell/SkinPictures.h"
#include "win32/support/MessageLoop.h"
#include "win32/support/Window.h"

#include <oleacc.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace dv {
class MessageBoxes;
class SaveDialog;
} // namespace dv

namespace dv::win32 {

class TAutoUpdateSettingsForm;
class TExtraInfoForm;
class TFileSearchForm;
class PlayerControls;
class TForm2;
class TProgStartingForm;
class UpdateChecker;
class SkinAccessible;
class Win32SaveDialog;

// The skinned main window. It owns its controls and the core objects and
// forwards every control event to them. The hot-spot labels are areas of
// the window, not windows: the window hit-tests them, draws their highlight
// pictures and shows their hints through one tooltip control. The keyboard
// reaches them through HotSpotKeyboard, screen readers through SkinAccessible.
class TForm1 : public Window,
               private StatusLine,
               private HighlightDisplay,
               private ProgressView,
               private MainWindowFrame,
               private MainWindowActions,
               private HotSpotCommands {
  public:
    // Where the browser goes and what it reports to.
    struct BrowserPlace {
        HWND window; // the main window, which runs command links
        HWND panel;  // IEPanel
        const std::string& discRoot;
        StatusLine& status;
        DownloadIndicator& progress;
        // The end of a page's loading, loaded or not.
        std::function<void()> pageLoaded = {};
    };
    using BrowserFactory = std::function<std::unique_ptr<BrowserHost>(const BrowserPlace&)>;

    // What the composition root hands in.
    struct Environment {
        MessageBoxes* messageBoxes = nullptr;       // required
        std::string executablePath;                 // empty: this program's own
        std::optional<PlatformFacts> platformFacts; // empty: this machine's
        BrowserFactory createBrowser;               // empty: no browser can be created
        // The application-wide hook, installed once the browser exists.
        std::function<std::unique_ptr<MessageFilter>()> createMessageHook;
        SaveDialog* saveDialog = nullptr; // empty: Windows' own
    };

    explicit TForm1(Environment environment);
    ~TForm1() override;

    // The secondary windows the main window's operations use; they are
    // created after the main window.
    void attachWindows(TFileSearchForm& fileSearch, TProgStartingForm& progStarting,
                       TAutoUpdateSettingsForm& consent, TExtraInfoForm& extraInfo,
                       TForm2& hiddenScreen);

    // The first showing: centred on the screen.
    void show();

    // The start-up tick, also callable directly (tests); runs once.
    void StartupTimerTimer();
    bool startupDone() const { return tick_ && tick_->outcome() != StartupTick::Outcome::NotRun; }

    const std::string& discRoot() const { return discRoot_; }
    QuarantineList& quarantine() { return quarantine_; }
    TExtraInfoList& extraInfo() { return extraInfo_; }
    // ExecuteFile; once the secondary windows are attached.
    FileLauncher* fileLauncher() { return commands_ ? &commands_->fileLauncher() : nullptr; }
    // Runs one command of a command link, after any command still running.
    void IECommand(const std::string& commandText, CommandStart start = CommandStart::ByReader);
    // The online update; once the secondary windows are attached.
    UpdateChecker* updateChecker() { return update_.get(); }
    StatusLine& statusLine() { return *this; }
    std::string statusText() const { return Panel2_->text(); }
    bool isBordered() const { return bordered_; }
    bool isHighlightVisible(std::string_view picture) const {
        return hotSpots_->isHighlightVisible(picture);
    }
    HoverController& hover() { return hover_; }
    BrowserHost& browserHost() { return *browser_; }
    // The hot-spots with their places in the display's pixels.
    const HotSpotCatalog& hotSpots() const { return catalog_; }
    // The scale of the display the window is drawn for.
    const DisplayScale& scale() const { return scale_; }
    const ToolTips& toolTips() const { return hotSpots_->toolTips(); }
    // The tooltip tool of a hot-spot (its index in the catalog).
    static UINT toolId(std::size_t index) { return HotSpotLayer::toolId(index); }
    HWND iePanel() const { return IEPanel_->hwnd(); }
    HWND statusPanel() const { return Panel2_->hwnd(); }
    HWND progressBar() const { return pbDocument_; }
    PlayerControls& playerControls() { return *player_; }
    // The cursor a hot-spot shows.
    LPCWSTR cursorOf(const HotSpot& spot) const { return hotSpots_->cursorOf(spot); }

    // Whether a hot-spot is there at all, and who loads the month's track
    // at start.
    void setHotSpotVisible(std::string_view spot, bool visible);
    // The keyboard's and screen readers' view of the hot-spots.
    const HotSpotFocus& hotSpotFocus() const { return focus_; }
    // The object WM_GETOBJECT hands out for the client area.
    IAccessible* accessibleClient() const;
    void setMusicLoader(std::function<void()> loader) { musicLoader_ = std::move(loader); }

  protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

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

    PlatformFacts platformFacts() const;
    void FormCreate();
    void createControls();
    // Panels and bar at their places in the display's pixels.
    void placeControls();
    // Draws the window for a display of another scale.
    void scaleTo(const DisplayScale& scale);
    LRESULT dpiChanged(WPARAM wParam, LPARAM lParam);
    // The window around the client area at that scale, the client area at (0, 0).
    RECT windowFrame(const DisplayScale& scale) const;
    void createPlayer();
    void FormPaint(HDC dc, const RECT& area);
    LRESULT hitTest(WPARAM wParam, LPARAM lParam);
    bool controlAt(POINT client) const;
    void FormKeyPress(wchar_t unit);
    void clicked(const HotSpot& spot);
    // Tab past the hot-spots: the page takes the keyboard, when there is one.
    bool focusPage();
    // Runs an event's work; what escapes it is shown in an error box.
    void reported(const std::function<void()>& work);

    Environment env_;
    HotSpotCatalog logicalCatalog_; // places in the skin's 800 x 600
    DisplayScale scale_;
    HotSpotCatalog catalog_; // places in the display's pixels
    HoverController hover_;
    DownloadIndicator indicator_;
    HiddenScreenKeys keys_;
    HotSpotFocus focus_;
    std::unique_ptr<SkinPictures> skin_;
    std::unique_ptr<HotSpotLayer> hotSpots_;
    std::string discRoot_;
    bool bordered_ = false;
    std::unique_ptr<StartupTick> tick_;
    wchar_t pendingHighSurrogate_ = 0;
    std::function<void()> musicLoader_;

    std::unique_ptr<Panel> IEPanel_;
    std::unique_ptr<Panel> Panel1_;
    std::unique_ptr<Panel> Panel2_; // draws lbStatus
    HWND pbDocument_ = nullptr;
    ProgressBarView pbDocumentView_;

    TFileSearchForm* fileSearch_ = nullptr;
    TProgStartingForm* progStarting_ = nullptr;
    TAutoUpdateSettingsForm* consent_ = nullptr;
    TExtraInfoForm* extraInfoForm_ = nullptr;
    TForm2* hiddenScreen_ = nullptr;

    QuarantineList quarantine_;
    TExtraInfoList extraInfo_;
    std::unique_ptr<CommandLinks> commands_;
    std::unique_ptr<UpdateChecker> update_;
    std::unique_ptr<Win32SaveDialog> ownSaveDialog_;
    std::unique_ptr<PlayerControls> player_;
    std::unique_ptr<BrowserHost> browser_;
    std::unique_ptr<MessageFilter> hook_;
    std::unique_ptr<HotSpotDispatch> dispatch_;
    std::unique_ptr<HotSpotKeyboard> keyboard_;
    SkinAccessible* accessible_ = nullptr; // a COM object: readers may hold it longer
};

} // namespace dv::win32
