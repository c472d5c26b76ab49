#include "core/text/Utf8Path.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <memory>

namespace dv {
namespace {

namespace fs = std::filesystem;

struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, Closer>;

class Utf8PathTest : public ::testing::Test {
  protected:
    fs::path dir = fs::temp_directory_path() /
                   ("utf8path-" +
                    std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }
};

const char* const kNames[] = {"plain.txt",       "Snöänglarna.mp3", "Månadens MP3 – låt.mp3",
                              "Œuvre ŠŽŸ €.txt", "日本語.txt",      "\xF0\x9F\x8E\xB5 musik.mp3"};

TEST_F(Utf8PathTest, NamesRoundTripAndNameTheSameFileEveryWay) {
    for (const std::string name : kNames) {
        const fs::path path = dir / pathFromUtf8(name);
        EXPECT_EQ(utf8FromPath(path.filename()), name);
        const std::string full = utf8FromPath(path);

        // Written through the C library, read through a stream and listed by
        // the folder: one file, one name.
        File out(openFile(full, "wb"));
        ASSERT_TRUE(out) << name;
        std::fputs("innehåll", out.get());
        out.reset();
        std::string text;
        std::getline(std::ifstream(pathFromUtf8(full), std::ios::binary) >> std::noskipws, text);
        EXPECT_EQ(text, "innehåll") << name;
        EXPECT_EQ(utf8FromPath(fs::directory_iterator(dir)->path().filename()), name);
        fs::remove(path);
    }
}

TEST_F(Utf8PathTest, ExclusiveCreationRefusesAnExistingFile) {
    const std::string name = utf8FromPath(dir / pathFromUtf8("låt.mp3.part1"));
    File first(openFile(name, "wbx"));
    ASSERT_TRUE(first);
    std::fputs("first", first.get());
    first.reset();

    errno = 0;
    File second(openFile(name, "wbx"));
    EXPECT_FALSE(second);
    EXPECT_EQ(errno, EEXIST);
    std::ifstream in(pathFromUtf8(name));
    std::string kept;
    in >> kept;
    EXPECT_EQ(kept, "first"); // never truncated
}

TEST_F(Utf8PathTest, MissingFilesFailWithTheSystemsReason) {
    errno = 0;
    EXPECT_EQ(openFile(utf8FromPath(dir / pathFromUtf8("saknas/fil.txt")), "rb"), nullptr);
    EXPECT_EQ(errno, ENOENT);
}

TEST(Utf8PathText, BytesThatAreNotUtf8) {
    // "l\xE5t" is Windows-1252 for "låt": where names are UTF-16 it is read
    // that way; where names are bytes it stays the same bytes.
    const fs::path path = pathFromUtf8("l\xE5t.mp3");
#ifdef _WIN32
    EXPECT_EQ(utf8FromPath(path), "låt.mp3");
#else
    EXPECT_EQ(path.native(), "l\xE5t.mp3");
#endif
}

#ifdef _WIN32
TEST(Utf8PathText, LoneSurrogatesBecomeReplacementCharacters) {
    EXPECT_EQ(utf8FromPath(fs::path(std::wstring(L"a\xD800z"))), "a\xEF\xBF\xBDz");
    EXPECT_EQ(utf8FromPath(fs::path(std::wstring(L"\xDC00"))), "\xEF\xBF\xBD");
    EXPECT_EQ(utf8FromPath(fs::path(std::wstring(L"\xD83C\xDFB5"))), "\xF0\x9F\x8E\xB5");
}
#endif

} // namespace
} // namespace dv
