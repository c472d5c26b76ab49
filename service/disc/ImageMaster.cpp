#include "ImageMaster.h"

#include "ChildProcess.h"
#include "text/AnsiText.h"

#include <filesystem>

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
        "xorriso", "-no_rc", "-report_about", "WARNING", "-abort_on", "FAILURE", "-local_charset", "UTF-8",
        "-outdev", "stdio:" + c.image,
        "-volid", c.label,
        "-joliet", "on",
        "-compliance", "joliet_long_names",
        "-md5", "off",
    };
    std::vector<std::string> discPaths;
    for (const std::string& entry : c.discEntries) {
        a.insert(a.end(), {"-map", join(c.discFolder, entry), "/" + entry});
        discPaths.push_back("/" + entry);
    }
    a.insert(a.end(), {"-map", c.windowsProgram, "/datavind.exe",
                       "-map", join(c.linuxRuntime, "datavind"), "/datavind",
                       "-map", join(c.linuxRuntime, "linux"), "/linux",
                       "-map", join(c.autorunFolder, "autorun.inf"), "/autorun.inf",
                       "-map", join(c.autorunFolder, ".autorun"), "/.autorun"});
    // A pressed disc is read-only to everyone; only programs are started.
    a.insert(a.end(), {"-chown_r", "0", "/", "--", "-chgrp_r", "0", "/", "--"});
    for (const std::string& path : discPaths) {
        a.insert(a.end(), {"-find", path, "-type", "d", "-exec", "chmod", "0555", "--"});
        a.insert(a.end(), {"-find", path, "-type", "f", "-exec", "chmod", "0444", "--"});
    }
    a.insert(a.end(), {"-chmod", "0444", "/datavind.exe", "/autorun.inf", "--"});
    a.insert(a.end(), {"-chmod", "0555", "/datavind", "/.autorun", "/", "--"});
    a.insert(a.end(), {"-chmod_r", "go-w,u-w", "/linux", "--"});
    if (!c.discPrograms.empty()) {
        a.insert(a.end(), {"-chmod", "0555"});
        for (const std::string& program : c.discPrograms)
            a.push_back("/" + program);
        a.push_back("--");
    }
    a.insert(a.end(), {"-commit", "-end"});
    return a;
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
