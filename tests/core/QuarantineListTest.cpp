#include "core/update/QuarantineList.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

TEST(QuarantineList, SubstringByteForByte) {
    QuarantineList list;
    EXPECT_FALSE(list.Quarantined("D:\\prog\\setup.exe"));
    list.append("setup");
    list.append("");
    EXPECT_TRUE(list.Quarantined("D:\\prog\\setup.exe"));
    EXPECT_TRUE(list.Quarantined("D:\\setupx\\read.txt"));
    EXPECT_FALSE(list.Quarantined("D:\\prog\\SETUP.EXE"));
    EXPECT_FALSE(list.Quarantined("D:\\prog\\install.exe")); // the empty entry never matches

    QuarantineList cased;
    cased.append("Setup.exe");
    EXPECT_FALSE(cased.Quarantined("D:\\prog\\setup.exe"));
    cased.clear();
    EXPECT_TRUE(cased.empty());
}

TEST(QuarantineList, WarningTextExactly) {
    const MessageBoxRequest box = QuarantineWarning("/media/cd\\prog\\virus.exe");
    EXPECT_EQ(box.caption, "Datavinds cd - Karantän!");
    EXPECT_EQ(box.icon, MessageIcon::Error);
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    const std::string expected =
        "Den fil eller länk du klickade på (/media/cd\\prog\\virus.exe) är satt i karantän och "
        "kommer inte att startas!\r\rAnledningen till karantänen kan vara att programmet är "
        "smittat av virus, eller att andra problem upptäckts\rsedan skivan trycktes. Om du "
        "klickade på en länk när detta meddelande dök upp beror meddelandet\rpå att länken "
        "leder till en webbsida som är felaktig.\r\rDin dator är dock säker eftersom "
        "programmet inte kördes.";
    EXPECT_EQ(box.text, expected);
    EXPECT_EQ(box.text.find('\n'), std::string::npos);
}

} // namespace
} // namespace dv
