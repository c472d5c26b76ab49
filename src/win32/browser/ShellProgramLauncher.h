#pragma once

#include "core/browser/FileLauncher.h"

#include <windows.h>

namespace dv::win32 {

// Opens targets through the shell, as Explorer would: programs start, a
// document opens in its program, a web address in the default browser. The
// shell's own error dialogs are off; a refusal comes back as the system's
// message text for the error. Returns as soon as the shell has answered.
//
// The shell is asked on a thread of its own: it may take long (a network
// path) or never answer (Wine's, for a path of a thousand characters).
// Meanwhile this thread handles every message but the reader's input, so
// the waiting window moves and the program paints; a shell that has not
// answered within the patience is taken to be on its way.
class ShellProgramLauncher : public ProgramLauncher {
  public:
    static constexpr DWORD kPatienceMs = 15000;

    explicit ShellProgramLauncher(HWND owner = nullptr) : owner_(owner) {}
    void setOwner(HWND owner) { owner_ = owner; }
    // A shorter patience for tests.
    void setPatience(DWORD ms) { patienceMs_ = ms; }

    std::optional<std::string> open(const std::string& file,
                                    const std::string& parameters) override;
    std::string missingFileMessage() const override;

  private:
    HWND owner_;
    DWORD patienceMs_ = kPatienceMs;
};

} // namespace dv::win32
