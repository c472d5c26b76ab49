#pragma once

#include "browser/FileLauncher.h"

#include <windows.h>

namespace dv::win32 {

// Opens targets through the shell, as Explorer would: programs start, a
// document opens in its program, a web address in the default browser. The
// shell's own error dialogs are off; a refusal comes back as the system's
// message text for the error. Returns as soon as the shell has answered.
class ShellProgramLauncher : public ProgramLauncher {
public:
    explicit ShellProgramLauncher(HWND owner = nullptr) : owner_(owner) {}
    void setOwner(HWND owner) { owner_ = owner; }

    std::optional<std::string> open(const std::string& file, const std::string& parameters) override;
    std::string missingFileMessage() const override;

private:
    HWND owner_;
};

} // namespace dv::win32
