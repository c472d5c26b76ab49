#include "core/browser/TargetSplitter.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

TEST(TargetSplitter, Table) {
    const std::pair<const char*, SplitTarget> cases[] = {
        {"/cd/program/setup.sh", {"/cd/program/setup.sh", ""}},
        {"/cd/setup.sh /S /LANG=SV", {"/cd/setup.sh", "/S /LANG=SV"}},
        {"/cd/setup.sh  two  blanks", {"/cd/setup.sh", " two  blanks"}},
        {"/cd/setup.sh 'tre ord här'", {"/cd/setup.sh", "tre ord här"}},
        {"/cd/Mina Program/x.sh", {"/cd/Mina", "Program/x.sh"}}, // cut at the first blank
        {"/cd/x.sh 'a'", {"/cd/x.sh", "a"}},
        {"/cd/x.sh '", {"/cd/x.sh", ""}},
        {"/cd/x.sh 'open", {"/cd/x.sh", "ope"}}, // the last character goes, whatever it is
        {"http://www.a.example/", {"http://www.a.example/", ""}},
        {"'/cd/Mina Program/x.sh' 'a b'", {"/cd/Mina Program/x.sh", "a b"}},
        {"'/cd/Mina Program/x.sh' -v", {"/cd/Mina Program/x.sh", "-v"}},
        {"'/cd/x.sh'", {"/cd/x.sh", ""}},
        {"'/cd/x.sh", {"/cd/x.sh", ""}},
        {"'", {"", ""}},
        {"", {"", ""}},
    };
    for (const auto& [target, expected] : cases) {
        const SplitTarget got = splitTarget(target);
        EXPECT_EQ(got.file, expected.file) << target;
        EXPECT_EQ(got.parameters, expected.parameters) << target;
    }
}

} // namespace
} // namespace dv
