#include "core/app/ReaderEnvironment.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

TEST(ReaderEnvironment, PutsBackWhatTheStartProgramChanged) {
    struct Case {
        const char* name;
        Environment current;
        Environment reader;
    };
    const Case cases[] = {
        {"started without the disc's start program: untouched",
         {{"PATH", "/usr/bin"}, {"FONTCONFIG_FILE", "/etc/mine.conf"}},
         {{"PATH", "/usr/bin"}, {"FONTCONFIG_FILE", "/etc/mine.conf"}}},
        {"variables the reader did not have are removed",
         {{"PATH", "/usr/bin"},
          {"DATAVIND_RUNTIME_VARIABLES", "GST_PLUGIN_SYSTEM_PATH_1_0 FONTCONFIG_FILE"},
          {"GST_PLUGIN_SYSTEM_PATH_1_0", "/media/cd/linux/lib/gstreamer-1.0"},
          {"FONTCONFIG_FILE", "/media/cd/linux/fonts/fonts.conf"},
          {"DATAVIND_DISC_ROOT", "/media/cd"}},
         {{"PATH", "/usr/bin"}}},
        {"a value the reader had comes back",
         {{"DATAVIND_RUNTIME_VARIABLES", "FONTCONFIG_FILE"},
          {"FONTCONFIG_FILE", "/media/cd/linux/fonts/fonts.conf"},
          {"DATAVIND_SAVED_FONTCONFIG_FILE", "/etc/mine.conf"},
          {"DATAVIND_DISC_ROOT", "/media/cd"}},
         {{"FONTCONFIG_FILE", "/etc/mine.conf"}}},
        {"an empty saved value stays empty, not removed",
         {{"DATAVIND_RUNTIME_VARIABLES", "GST_REGISTRY_1_0"},
          {"GST_REGISTRY_1_0", "/home/a/.cache/datavind/registry.bin"},
          {"DATAVIND_SAVED_GST_REGISTRY_1_0", ""}},
         {{"GST_REGISTRY_1_0", ""}}},
        {"variables that are not listed stay as they are",
         {{"DATAVIND_RUNTIME_VARIABLES", "  GST_REGISTRY_1_0  "},
          {"GST_REGISTRY_1_0", "x"},
          {"GST_DEBUG", "3"}},
         {{"GST_DEBUG", "3"}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readerEnvironment(c.current), c.reader) << c.name;
}

} // namespace
} // namespace dv
