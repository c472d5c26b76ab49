#pragma once

#include "core/update/VolumeInfo.h"

#include <string>

namespace dv::win32 {

// The disc's identity on Windows: the label of the volume that holds the
// disc folder (the drive, or the server and share of a network path), with
// Windows' critical-error boxes off while it asks, so that an empty or
// unreadable drive never shows one.
class Win32VolumeInfo : public VolumeInfo {
  public:
    explicit Win32VolumeInfo(std::string discRoot) : discRoot_(std::move(discRoot)) {}
    std::string getDiscName() override;

    // The label of the volume with the given root ("D:\"): "" for none,
    // "ERROR" when it cannot be read.
    static std::string labelOf(const std::string& root);

  private:
    std::string discRoot_;
};

} // namespace dv::win32
