#include "linux/LinuxVolumeInfo.h"

#include "core/text/HexDigit.h"

#include <blkid/blkid.h>
#include <libudev.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace dv {

namespace {

constexpr const char* kError = "ERROR";

struct ProbeFree {
    void operator()(blkid_probe p) const { blkid_free_probe(p); }
};
struct UdevFree {
    void operator()(udev* u) const { udev_unref(u); }
};
struct UdevDeviceFree {
    void operator()(udev_device* d) const { udev_device_unref(d); }
};

} // namespace

std::string LinuxVolumeInfo::decodeUdevText(const std::string& encoded) {
    std::string out;
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        if (encoded[i] == '\\' && i + 3 < encoded.size() && encoded[i + 1] == 'x' &&
            hexDigitValue(encoded[i + 2]) >= 0 && hexDigitValue(encoded[i + 3]) >= 0) {
            out += static_cast<char>(hexDigitValue(encoded[i + 2]) * 16 +
                                     hexDigitValue(encoded[i + 3]));
            i += 3;
        } else {
            out += encoded[i];
        }
    }
    return out;
}

std::optional<std::string> LinuxVolumeInfo::labelFromUdev(dev_t device) {
    const std::unique_ptr<udev, UdevFree> context(udev_new());
    if (!context)
        return std::nullopt;
    const std::unique_ptr<udev_device, UdevDeviceFree> node(
        udev_device_new_from_devnum(context.get(), 'b', device));
    if (!node)
        return std::nullopt;
    // The encoded label keeps blanks and every other byte; ID_FS_LABEL has
    // them replaced for use in names.
    if (const char* label = udev_device_get_property_value(node.get(), "ID_FS_LABEL_ENC"))
        return decodeUdevText(label);
    if (const char* label = udev_device_get_property_value(node.get(), "ID_FS_LABEL"))
        return std::string(label);
    if (udev_device_get_property_value(node.get(), "ID_FS_TYPE"))
        return std::string(); // probed: a filesystem without a label
    return std::nullopt;
}

std::optional<std::string> LinuxVolumeInfo::labelFromByLabel(dev_t device,
                                                             const std::string& folder) {
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        struct stat target {};
        if (stat(it->path().c_str(), &target) == 0 && S_ISBLK(target.st_mode) &&
            target.st_rdev == device)
            return decodeUdevText(it->path().filename().string());
    }
    return std::nullopt;
}

std::string LinuxVolumeInfo::labelOf(const std::string& deviceOrImage) {
    const std::unique_ptr<std::remove_pointer_t<blkid_probe>, ProbeFree> probe(
        blkid_new_probe_from_filename(deviceOrImage.c_str()));
    if (!probe)
        return kError;
    blkid_probe_enable_superblocks(probe.get(), 1);
    blkid_probe_set_superblocks_flags(probe.get(), BLKID_SUBLKS_LABEL | BLKID_SUBLKS_TYPE);
    // 1: nothing recognised on it; negative: it could not be read.
    const int found = blkid_do_safeprobe(probe.get());
    if (found < 0)
        return kError;
    const char* label = nullptr;
    if (found == 0 && blkid_probe_lookup_value(probe.get(), "LABEL", &label, nullptr) == 0 && label)
        return label;
    return found == 0 ? std::string() : kError;
}

std::string LinuxVolumeInfo::getDiscName() {
    struct stat info {};
    if (discRoot_.empty() || stat(discRoot_.c_str(), &info) != 0)
        return kError;
    if (const auto label = labelFromUdev(info.st_dev))
        return *label;
    if (const auto label = labelFromByLabel(info.st_dev))
        return *label;
    // Folders on filesystems without a device (tmpfs, overlays) have no label to read.
    char* device = blkid_devno_to_devname(info.st_dev);
    if (!device)
        return kError;
    const std::string name = device;
    std::free(device);
    return labelOf(name);
}

} // namespace dv
