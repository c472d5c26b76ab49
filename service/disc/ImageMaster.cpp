#include "ImageMaster.h"

#include "ChildProcess.h"
#include "core/text/AnsiText.h"

#include <filesystem>
#include <fstream>
#include <set>

namespace dv {

namespace {

namespace fs = std::filesystem;

std::string join(const std::string& folder, const std::string& name) {
    return (fs::path(folder) / name).string();
}

} // namespace

bool ImageMaster::replacedByImage(const std::string& topLevelName) {
    const std::string name = lowerAscii(topLevelName);
    return name == "datavind" || name == "datavind.exe" || name == "autorun.inf" ||
           name == ".autorun" || name == "autorun" || name == "autorun.sh" || name == "linux";
}

std::vector<std::string> ImageMaster::xorrisoArguments(const ImageContents& c) {
    // Names on the disc folder are UTF-8 whatever the locale says: in the C
    // locale xorriso would write "_" for each of their bytes beyond ASCII in
    // the Joliet names that Windows reads.
    std::vector<std::string> a = {
        "xorriso",        "-no_rc", "-report_about", "WARNING",           "-abort_on", "FAILURE",
        "-local_charset", "UTF-8",  "-outdev",       "stdio:" + c.image,  "-volid",    c.label,
        "-joliet",        "on",     "-compliance",   "joliet_long_names", "-md5",      "off",
    };
    std::vector<std::string> discPaths;
    for (const std::string& entry : c.discEntries) {
        a.insert(a.end(), {"-map", join(c.discFolder, entry), "/" + entry});
        discPaths.push_back("/" + entry);
    }
    a.insert(a.end(),
             {"-map", c.windowsProgram, "/datavind.exe", "-map", join(c.linuxRuntime, "datavind"),
              "/datavind", "-map", join(c.linuxRuntime, "linux"), "/linux"});
    const bool autorun = !c.autorunFolder.empty();
    if (autorun)
        a.insert(a.end(), {"-map", join(c.autorunFolder, "autorun.inf"), "/autorun.inf", "-map",
                           join(c.autorunFolder, ".autorun"), "/.autorun"});
    // A pressed disc is read-only to everyone; only programs are started.
    a.insert(a.end(), {"-chown_r", "0", "/", "--", "-chgrp_r", "0", "/", "--"});
    for (const std::string& path : discPaths) {
        a.insert(a.end(), {"-find", path, "-type", "d", "-exec", "chmod", "0555", "--"});
        a.insert(a.end(), {"-find", path, "-type", "f", "-exec", "chmod", "0444", "--"});
    }
    a.insert(a.end(),
             {"-chmod", "0444", "/datavind.exe", "--", "-chmod", "0555", "/datavind", "/", "--"});
    if (autorun)
        a.insert(a.end(),
                 {"-chmod", "0444", "/autorun.inf", "--", "-chmod", "0555", "/.autorun", "--"});
    a.insert(a.end(), {"-chmod_r", "go-w,u-w", "/linux", "--"});
    if (!c.discPrograms.empty()) {
        a.insert(a.end(), {"-chmod", "0555"});
        for (const std::string& program : c.discPrograms)
            a.push_back("/" + program);
        a.push_back("--");
    }
    if (c.compressRuntime)
        // Blocks of 128 KiB, the largest Linux's iso9660 driver reads: the
        // runtime is 3.5 % smaller than with 32 KiB, and a page asked for
        // costs no more than the 128 KiB the kernel reads around it anyway.
        // Files packed with zstd already stay as they are.
        a.insert(a.end(), {"-zisofs", "default:block_size=128k", "-set_filter_r", "--zisofs",
                           "/linux", "--", "-find", "/linux", "-type", "f", "-name", "*.zst",
                           "-exec", "set_filter", "--remove-all-filters", "--"});
    // The start program and then the runtime's start files lie at the front
    // of the disc, in the order they are read: the higher the weight, the
    // lower the address.
    int weight = static_cast<int>(c.startFiles.size()) + 2;
    a.insert(a.end(),
             {"-find", "/datavind", "-exec", "sort_weight", std::to_string(weight--), "--"});
    for (const std::string& file : c.startFiles)
        a.insert(a.end(), {"-find", "/linux/" + file, "-exec", "sort_weight",
                           std::to_string(weight--), "--"});
    a.insert(a.end(), {"-commit", "-end"});
    return a;
}

std::vector<std::string> ImageMaster::startFilesOf(const std::string& linuxRuntime) {
    const fs::path linux = fs::path(linuxRuntime) / "linux";
    std::vector<std::string> files;
    std::set<std::string> seen;
    // What the start script reads before anything else: the versions it
    // compares and its lists.
    for (const char* own :
         {"GLIBC", "GLIBCXX", "read-first", "read-next", "read-parts", "unpacked-size"}) {
        std::error_code ec;
        if (fs::is_regular_file(fs::symlink_status(linux / own, ec)) && seen.insert(own).second)
            files.emplace_back(own);
    }
    for (const char* list : {"read-first", "read-next"}) {
        std::ifstream in(linux / list);
        for (std::string line; std::getline(in, line);) {
            const fs::path relative = fs::path(line).lexically_normal();
            std::error_code ec;
            // Only files inside the runtime: the list is read from a folder
            // someone else made.
            if (line.empty() || relative.is_absolute() || *relative.begin() == ".." ||
                !fs::is_regular_file(fs::symlink_status(linux / relative, ec)) ||
                !seen.insert(relative.string()).second)
                continue;
            files.push_back(relative.generic_string());
        }
    }
    return files;
}

std::variant<std::uint64_t, std::string> ImageMaster::programsBytes(const ImageContents& contents) {
    ImageContents programs = contents;
    programs.discEntries.clear();
    programs.discPrograms.clear();
    programs.autorunFolder.clear();
    return imageBytes(programs);
}

std::variant<std::uint64_t, std::string> ImageMaster::imageBytes(const ImageContents& contents) {
    ImageContents sized = contents;
    sized.image = "/dev/null";
    std::vector<std::string> a = xorrisoArguments(sized);
    a.resize(a.size() - 2); // -commit -end
    a.insert(a.end(), {"-print_size", "-end"});
    std::string output;
    const ChildProcess::Result result = ChildProcess::run(a, {}, &output);
    if (result.error)
        return *result.error;
    // "Image size   : 51234s"
    const std::string marker = "Image size";
    const auto at = output.find(marker);
    const auto colon = at == std::string::npos ? at : output.find(':', at);
    if (result.status != 0 || colon == std::string::npos)
        return "xorriso could not size the image (status " + std::to_string(result.status) + ")";
    std::uint64_t sectors = 0;
    std::size_t i = colon + 1;
    while (i < output.size() && output[i] == ' ')
        ++i;
    bool digits = false;
    for (; i < output.size() && output[i] >= '0' && output[i] <= '9'; ++i, digits = true)
        sectors = sectors * 10 + static_cast<std::uint64_t>(output[i] - '0');
    if (!digits)
        return "xorriso could not size the image";
    return sectors * 2048;
}

std::optional<std::string> ImageMaster::write(const ImageContents& contents,
                                              std::optional<long long> sourceDateEpoch) {
    std::error_code ec;
    fs::remove(contents.image, ec); // xorriso adds to an image that exists
    Environment extra;
    if (sourceDateEpoch)
        extra["SOURCE_DATE_EPOCH"] = std::to_string(*sourceDateEpoch);
    const ChildProcess::Result result = ChildProcess::run(xorrisoArguments(contents), extra);
    if (result.error)
        return result.error;
    if (result.status != 0)
        return "xorriso failed with status " + std::to_string(result.status);
    return std::nullopt;
}

} // namespace dv
