#include "DiscRoom.h"
#include "DiscCheckCommand.h"
#include "ImageMaster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace dv {
namespace {

namespace fs = std::filesystem;

TEST(DiscRoomTest, MediaByNameAndSize) {
    struct Case {
        const char* name;
        std::optional<Medium> medium;
        std::uint64_t capacity;
        const char* shown;
    };
    const Case cases[] = {
        {"cd74", Medium::Cd74, 681'984'000, "CD 74"},
        {"CD80", Medium::Cd80, 737'280'000, "CD 80"},
        {"dvd", Medium::Dvd, 4'700'372'992, "DVD"},
        {"cd90", std::nullopt, 0, ""},
        {"", std::nullopt, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DiscRoom::mediumOf(c.name), c.medium);
        if (c.medium) {
            EXPECT_EQ(DiscRoom::capacity(*c.medium), c.capacity);
            EXPECT_EQ(DiscRoom::name(*c.medium), c.shown);
        }
    }
}

TEST(DiscRoomTest, FilesTakeWholeSectors) {
    const fs::path root = fs::temp_directory_path() / ("discroom-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "docs" / "inner");
    std::ofstream(root / "docs" / "one.htm") << std::string(1, 'x');
    std::ofstream(root / "docs" / "inner" / "two.htm") << std::string(2049, 'x');
    std::ofstream(root / "empty.txt");
    // 1 + 2 sectors of data; 5 entries and the folder itself in one sector.
    EXPECT_EQ(DiscRoom::bytesOnDisc(root.string()), 4 * DiscRoom::kSector);
    EXPECT_EQ(DiscRoom::bytesOnDisc((root / "docs" / "inner" / "two.htm").string()),
              2 * DiscRoom::kSector);
    EXPECT_EQ(DiscRoom::bytesOnDisc((root / "saknas").string()), 0u);
    fs::remove_all(root);
    EXPECT_EQ(DiscRoom::megabytes(737'280'000), "737.3 MB");
    EXPECT_EQ(DiscRoom::megabytes(0), "0.0 MB");
}

// dvcd-check says what room the content leaves beside the programs as
// dvcd-master would write them, or that it could not count the programs.
TEST(DiscRoomTest, CheckSaysTheRoomLeft) {
    const fs::path work =
        fs::temp_directory_path() / ("discroom-check-" + std::to_string(::getpid()));
    fs::remove_all(work);
    fs::create_directories(work / "disc" / "docs");
    fs::create_directories(work / "runtime" / "linux" / "lib");
    std::ofstream(work / "disc" / "docs" / "a.bin") << std::string(1'000'000, 'x');
    std::ofstream(work / "disc" / "datavind")
        << std::string(5'000'000, 'x'); // replaced by the image
    std::ofstream(work / "w.exe") << "MZ" << std::string(3'000'000, 'w');
    std::ofstream(work / "runtime" / "datavind") << "#!/bin/sh\n";
    // 8 MB of text that zisofs shrinks to a small part.
    std::ofstream lib(work / "runtime" / "linux" / "lib" / "libbig.so");
    for (int i = 0; i < 800'000; ++i)
        lib << "line " << i % 1000 << "\n";
    lib.close();

    const auto roomLine = [&](std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), (work / "disc").string());
        std::ostringstream out, err;
        runDiscCheckCommand(arguments, out, err);
        const std::string text = out.str();
        const auto at = text.find("the disc's own content takes ");
        return at == std::string::npos ? text : text.substr(at);
    };
    const std::string missing = roomLine({"--windows-program", (work / "saknas.exe").string()});
    EXPECT_EQ(
        missing,
        "the disc's own content takes 1.0 MB, the programs were not found and are not counted; "
        "room left on a CD 80 (737280000 bytes) for more content: 736.3 MB\n");
    const std::string found =
        roomLine({"--windows-program", (work / "w.exe").string(), "--linux-runtime",
                  (work / "runtime").string(), "--medium", "cd74"});
    // About 3 MB of Windows program and far less than 8 MB of runtime.
    EXPECT_NE(found.find("1.0 MB, the programs and the runtime 3."), std::string::npos) << found;
    EXPECT_NE(found.find("room left on a CD 74 (681984000 bytes) for more content: 67"),
              std::string::npos)
        << found;
    fs::remove_all(work);
}

std::vector<std::string> argumentsOf(const ImageContents& c) {
    return ImageMaster::xorrisoArguments(c);
}

// Where the consecutive arguments `sequence` begin, or npos.
std::size_t find(const std::vector<std::string>& a, const std::vector<std::string>& sequence) {
    const auto at = std::search(a.begin(), a.end(), sequence.begin(), sequence.end());
    return at == a.end() ? std::string::npos : static_cast<std::size_t>(at - a.begin());
}

ImageContents sampleContents() {
    ImageContents c;
    c.discFolder = "/disc";
    c.discEntries = {"docs"};
    c.windowsProgram = "/w/datavind.exe";
    c.linuxRuntime = "/r";
    c.autorunFolder = "/a";
    c.label = "DV";
    c.image = "/out.iso";
    return c;
}

TEST(ImageMasterTest, RuntimeAloneIsCompressedByDefault) {
    ImageContents c = sampleContents();
    const auto a = argumentsOf(c);
    const auto filter = find(a, {"-set_filter_r", "--zisofs", "/linux", "--"});
    ASSERT_NE(filter, std::string::npos);
    // Nothing else is filtered, and the filter comes after the runtime is in.
    EXPECT_EQ(std::count(a.begin(), a.end(), "--zisofs"), 1);
    EXPECT_LT(find(a, {"-map", "/r/linux", "/linux"}), filter);
    EXPECT_LT(filter, find(a, {"-commit", "-end"}));

    c.compressRuntime = false;
    const auto plain = argumentsOf(c);
    EXPECT_EQ(std::count(plain.begin(), plain.end(), "--zisofs"), 0);
}

TEST(ImageMasterTest, StartFilesComeFirstInTheirOrder) {
    ImageContents c = sampleContents();
    c.startFiles = {"lib/libQt6Core.so.6", "datavind", "resources/icudtl.dat"};
    const auto a = argumentsOf(c);
    std::vector<std::pair<std::string, int>> weights;
    for (std::size_t i = 0; i + 5 < a.size(); ++i)
        if (a[i] == "-find" && a[i + 2] == "-exec" && a[i + 3] == "sort_weight")
            weights.emplace_back(a[i + 1], std::stoi(a[i + 4]));
    ASSERT_EQ(weights.size(), 4u);
    EXPECT_EQ(weights[0].first, "/datavind");
    EXPECT_EQ(weights[1].first, "/linux/lib/libQt6Core.so.6");
    EXPECT_EQ(weights[2].first, "/linux/datavind");
    EXPECT_EQ(weights[3].first, "/linux/resources/icudtl.dat");
    for (std::size_t i = 1; i < weights.size(); ++i)
        EXPECT_GT(weights[i - 1].second, weights[i].second) << weights[i].first;
    EXPECT_GT(weights.back().second, 0); // above every file without a weight
}

TEST(ImageMasterTest, StartFilesAreTheRuntimesOwn) {
    const fs::path runtime =
        fs::temp_directory_path() / ("startfiles-" + std::to_string(::getpid()));
    fs::remove_all(runtime);
    fs::create_directories(runtime / "linux" / "lib");
    for (const char* file :
         {"datavind", "lib/a.so", "lib/b.so", "GLIBC", "read-parts", "unpacked-size"})
        std::ofstream(runtime / "linux" / file) << "x";
    std::ofstream(runtime / "secret") << "x";
    fs::create_symlink("/etc/passwd", runtime / "linux" / "lib" / "link.so");
    std::ofstream(runtime / "linux" / "read-first")
        << "lib/a.so\n\n../secret\n/etc/passwd\nlib/saknas.so\n";
    std::ofstream(runtime / "linux" / "read-next")
        << "./lib/a.so\nlib/link.so\nlib\ndatavind\nlib/b.so";
    EXPECT_EQ(ImageMaster::startFilesOf(runtime.string()),
              (std::vector<std::string>{"GLIBC", "read-first", "read-next", "read-parts",
                                        "unpacked-size", "lib/a.so", "datavind", "lib/b.so"}));
    fs::remove_all(runtime);
    EXPECT_TRUE(ImageMaster::startFilesOf(runtime.string()).empty());
}

} // namespace
} // namespace dv
