#pragma once

#include "core/browser/ExtraInfoDialog.h"
#include "core/browser/ExtraInfoDialogModel.h"
#include "win32/support/Window.h"

#include <memory>
#include <optional>
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
    HWND ebInformation() const { return ebInformation_; }
    HWND gbMoreInfo() const { return gbMoreInfo_; }
    HWND lbURL() const { return lbURL_; }
    HWND lbOpenNow() const { return lbOpenNow_; }
    HWND btYes() const { return btYes_; }
    HWND btNo() const { return btNo_; }

  protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    // Draws the model's view of a note: texts, what shows, places.
    void present(const ExtraInfoView& view);
    int showModal();
    void centreOnScreen();
    HWND defaultButton() const;
    std::optional<ExtraInfoView::Button> focusedButton() const;
    HWND enterButton() const;
    void onKey(ExtraInfoDialogModel::Key key);
    void lbURLClick();

    ExtraInfoView view_;
    int clientWidth_ = 0;
    int clientHeight_ = 0;

    HWND owner_;
    HWND lbInformation_ = nullptr;
    HWND ebInformation_ = nullptr;
    HWND gbMoreInfo_ = nullptr;
    HWND lbURL_ = nullptr;
    HWND lbOpenNow_ = nullptr;
    HWND btYes_ = nullptr;
    HWND btNo_ = nullptr;
    HFONT linkFont_ = nullptr;
    FileLauncher* launcher_ = nullptr;
    std::unique_ptr<DialogKeys> keys_;
    bool showing_ = false;
    int result_ = 0;
};

} // namespace dv::win32
