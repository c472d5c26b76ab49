#pragma once

#include "core/update/VolumeInfo.h"

#include <optional>
#include <string>
#include <sys/types.h>

namespace dv {

// The disc's identity on Linux: the label of the filesystem that holds the
// disc folder, read the way the desktop reads it for the reader, who may not
// read the device itself (a USB copy of the disc, a disc the desktop
// mounted): first udev's properties of the device, then the names udev gives
// it under /dev/disk/by-label, and only then the device itself with
// libblkid, which needs the right to read it.
class LinuxVolumeInfo : public VolumeInfo {
  public:
    explicit LinuxVolumeInfo(std::string discRoot) : discRoot_(std::move(discRoot)) {}
    std::string getDiscName() override;

    // The label of a device or an image file: "" for none, "ERROR" when it
    // cannot be read.
    static std::string labelOf(const std::string& deviceOrImage);

    // What udev knows of the block device: its label ("" when it has a
    // filesystem but no label), or nothing when udev has not probed it.
    static std::optional<std::string> labelFromUdev(dev_t device);
    // The label whose /dev/disk/by-label name leads to the block device.
    static std::optional<std::string>
    labelFromByLabel(dev_t device, const std::string& folder = "/dev/disk/by-label");
    // udev's encoding of labels in properties and names: \xhh for a byte.
    static std::string decodeUdevText(const std::string& encoded);

  private:
    std::string discRoot_;
};

} // namespace dv
