#pragma once

#include "core/music/TrackSaver.h"

#include <windows.h>

namespace dv::win32 {

// Windows' own save-file dialog for the track: MP3 files or all files, the
// suffix .MP3 when none is typed, a question before a file is replaced,
// resizable. The process's current folder stays where it was.
class Win32SaveDialog : public SaveDialog {
  public:
    explicit Win32SaveDialog(HWND owner = nullptr) : owner_(owner) {}
    void setOwner(HWND owner) { owner_ = owner; }

    std::optional<std::string> askSaveFileName(const std::string& proposedName) override;

  private:
    HWND owner_;
};

} // namespace dv::win32
