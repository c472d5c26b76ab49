#pragma once

#include "update/UpdateRequest.h"

#include <string>

namespace dv {

// The disc's identity on Linux: the label of the filesystem that holds the
// disc folder, read from its device with libblkid.
class LinuxVolumeInfo : public VolumeInfo {
public:
    explicit LinuxVolumeInfo(std::string discRoot) : discRoot_(std::move(discRoot)) {}
    std::string getDiscName() override;

    // The label of a device or an image file: "" for none, "ERROR" when it
    // cannot be read.
    static std::string labelOf(const std::string& deviceOrImage);

private:
    std::string discRoot_;
};

} // namespace dv
