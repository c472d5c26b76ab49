#pragma once

#include "browser/CommandRunner.h"
#include "shell/DisplayScale.h"
#include "support/Window.h"

#include <memory>
#include <string>

namespace dv {
class FileLauncher;
}

namespace dv::win32 {

class DialogKeys;

// The "more information" dialog shown before an item with a note starts. Its
// texts come from the update service and are shown as plain text; the
// address opens only when it is a web page.
class TExtraInfoForm : public Window, public ExtraInfoDialog {
public:
    // The dialog's answers, as its buttons give them.
    static constexpr int kYes = IDYES; // 6
    static constexpr int kNo = IDNO;   // 7

    explicit TExtraInfoForm(HWND owner = nullptr);
    ~TExtraInfoForm() override;

    // The window kept disabled while the dialog is shown.
    void setOwner(HWND owner);
    // Where a click on the address goes.
    void setLauncher(FileLauncher* launcher) { launcher_ = launcher; }

    // Shows the note modally; true when the reader chose "Ja".
    bool askToStart(const TExtraInfo& note) override;
    // Shows a note with only a "Stäng" button, whatever it says of starting.
    void showNotice(const TExtraInfo& note, const std::string& caption) override;

    // Ends the showing with a result, as the buttons do.
    void close(int result);
    bool showing() const { return showing_; }

    HWND lbInformation() const { return lbInformation_; }
    HWND gbMoreInfo() const { return gbMoreInfo_; }
    HWND lbURL() const { return lbURL_; }
    HWND lbOpenNow() const { return lbOpenNow_; }
    HWND btYes() const { return btYes_; }
    HWND btNo() const { return btNo_; }

protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void prepare(const TExtraInfo& note, const std::string& caption, bool canRun);
    int showModal();
    void centreOnScreen();
    HWND defaultButton() const;
    void lbURLClick();

    HWND owner_;
    HWND lbInformation_ = nullptr;
    HWND gbMoreInfo_ = nullptr;
    HWND lbURL_ = nullptr;
    HWND lbOpenNow_ = nullptr;
    HWND btYes_ = nullptr;
    HWND btNo_ = nullptr;
    HFONT linkFont_ = nullptr;
    DisplayScale scale_;
    FileLauncher* launcher_ = nullptr;
    std::unique_ptr<DialogKeys> keys_;
    bool showing_ = false;
    int result_ = 0;
};

} // namespace dv::win32
