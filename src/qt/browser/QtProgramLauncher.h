#pragma once

#include "core/browser/FileLauncher.h"

#include <QString>

namespace dv::qt {

// Starts targets the way the desktop would: an executable program (an ELF
// binary or a "#!" script) directly, with its parameters split into
// arguments as a shell would but with no shell in between; documents (also
// executable ones) and web addresses in the desktop's default application
// (xdg-open). Started programs inherit the current folder.
class QtProgramLauncher : public ProgramLauncher {
  public:
    std::optional<std::string> open(const std::string& file,
                                    const std::string& parameters) override;

    // How long the desktop may take to accept a document or address.
    static constexpr int kDesktopTimeoutMs = 15000;

  private:
    static std::optional<std::string> openWithDesktop(const QString& target);
};

} // namespace dv::qt
