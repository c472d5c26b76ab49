#pragma once

#include "core/update/ConsentDialogModel.h"
#include "core/update/UpdateConsent.h"
#include "win32/support/MessageLoop.h"
#include "win32/support/Window.h"

#include <string_view>

namespace dv::win32 {

// The consent dialog "Automatisk uppdatering": fixed dialog border, centred
// on the screen, created at start and shown modally when the reader is
// asked whether the disc may look for updates when it starts. Tab goes
// rbYes, rbNo, Button1, cbNoNo; Esc or closing is no choice, "Stäng" keeps
// the choice.
class TAutoUpdateSettingsForm : public Window, public ConsentDialog {
  public:
    TAutoUpdateSettingsForm();
    ~TAutoUpdateSettingsForm() override;

    // The window that is disabled while the question is open.
    void setOwner(HWND owner);

    ConsentAnswer ask() override;

    // A control by its name (Label1, Label2, rbYes, rbNo, Button1, cbNoNo).
    HWND control(std::string_view name) const;
    bool isAsking() const { return asking_; }

  protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    // Tab, arrows and Esc as in a dialog, while the dialog is open.
    class DialogKeys : public MessageFilter {
      public:
        explicit DialogKeys(HWND dialog) : dialog_(dialog) {}
        bool preTranslate(MSG& message) override;

      private:
        HWND dialog_;
    };

    void createControls(const ConsentDialogLayout& layout);
    // Enter and Esc, as the model has them.
    void onKey(ConsentDialogModel::Key key);
    void close(bool accepted);

    HWND Label1 = nullptr;
    HWND Label2 = nullptr;
    HWND rbYes = nullptr;
    HWND rbNo = nullptr;
    HWND Button1 = nullptr;
    HWND cbNoNo = nullptr;
    HWND owner_ = nullptr;
    bool asking_ = false;
    bool accepted_ = false;
};

} // namespace dv::win32
