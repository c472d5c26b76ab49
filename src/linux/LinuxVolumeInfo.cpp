#include "LinuxVolumeInfo.h"

#include <blkid/blkid.h>
#include <sys/stat.h>

#include <cstdlib>
#include <memory>

namespace dv {

namespace {

constexpr const char* kError = "ERROR";

struct ProbeFree {
    void operator()(blkid_probe p) const { blkid_free_probe(p); }
};

} // namespace

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
    // Folders on filesystems without a device (tmpfs, overlays) have no label to read.
    char* device = blkid_devno_to_devname(info.st_dev);
    if (!device)
        return kError;
    const std::string name = device;
    std::free(device);
    return labelOf(name);
}

} // namespace dv
