#include "core/shell/SectionNavigation.h"

#include "RecordingPorts.h"
#include "core/app/PublisherAddresses.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace dv {
namespace {

TEST(SectionNavigation, EveryPageHotSpot) {
    const std::pair<const char*, std::string> cases[] = {
        {"lbNoje", "/cd/docs/noje/index.htm"},
        {"lbNytta", "/cd/docs/nytta/index.htm"},
        {"lbInternet", "/cd/docs/internet/index.htm"},
        {"lbVerktyg", "/cd/docs/verktyg/index.htm"},
        {"lbTillagg", "/cd/docs/tillagg/index.htm"},
        {"lbFullVer", "/cd/docs/skarpa/index.htm"},
        {"lbTMclipart", "/cd/docs/clipart/index.htm"},
        {"lbTMallaprog", "/cd/docs/allaprog/index.htm"},
        {"lbTMom", "/cd/docs/omdv/index.htm"},
        {"lbTMhjalp", "/cd/docs/hjalp/index.htm"},
        {"lbEttan", "/cd/docs/ettan/index.htm"},
        {"lbTMdatavind", publisher::kMagazineHomePage},
        {"lbVelmora", publisher::kMakerHomePage},
    };
    for (const auto& [label, address] : cases)
        EXPECT_EQ(sectionAddress(label, "/cd/"), address) << label;
    EXPECT_EQ(sectionAddress("lbTMfilsok", "/cd/"), std::nullopt);
    EXPECT_EQ(sectionAddress("lbExit", "/cd/"), std::nullopt);
}

// The sample disc holds the page of every page hot-spot that leads onto it.
TEST(SectionNavigation, TheSampleDiscHasEveryPage) {
    const std::string root = std::string(DATAVIND_SAMPLE_DISC) + "/";
    for (const char* label :
         {"lbNoje", "lbNytta", "lbInternet", "lbVerktyg", "lbTillagg", "lbFullVer", "lbTMclipart",
          "lbTMallaprog", "lbTMom", "lbTMhjalp", "lbEttan"}) {
        const std::optional<std::string> address = sectionAddress(label, root);
        ASSERT_TRUE(address) << label;
        EXPECT_TRUE(std::filesystem::is_regular_file(*address)) << label << ": " << *address;
    }
}

TEST(SectionNavigation, OutsideAddressesAreWebAddresses) {
    EXPECT_TRUE(std::string_view(publisher::kMagazineHomePage).starts_with("http"));
    EXPECT_TRUE(std::string_view(publisher::kMakerHomePage).starts_with("http"));
}

TEST(SectionNavigation, OpensPagesOnlyWhenTheBrowserExists) {
    test::CallLog log;
    test::FakeBrowserHost browser(log);
    // No browser: every page hot-spot does nothing at all.
    EXPECT_FALSE(openSection("lbNoje", "C:\\cd\\", browser));
    EXPECT_FALSE(openSection("lbTMdatavind", "C:\\cd\\", browser));
    EXPECT_TRUE(log.empty());

    ASSERT_TRUE(browser.createControl());
    log.clear();
    EXPECT_TRUE(openSection("lbNoje", "C:\\cd\\", browser));
    EXPECT_TRUE(openSection("lbVelmora", "C:\\cd\\", browser));
    EXPECT_TRUE(openSection("lbEttan", "C:\\cd\\", browser));
    EXPECT_TRUE(openSection("lbEttan", "C:\\cd\\", browser)); // the start page again loads it again
    EXPECT_FALSE(openSection("lbTMfilsok", "C:\\cd\\", browser));
    EXPECT_EQ(log, (test::CallLog{"navigate:C:\\cd\\docs/noje/index.htm",
                                  std::string("navigate:") + publisher::kMakerHomePage,
                                  "navigate:C:\\cd\\docs/ettan/index.htm",
                                  "navigate:C:\\cd\\docs/ettan/index.htm"}));
}

} // namespace
} // namespace dv
