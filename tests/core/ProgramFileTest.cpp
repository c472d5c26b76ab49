#include "core/browser/ProgramFile.h"

#include <gtest/gtest.h>

#include <string>

namespace dv {
namespace {

TEST(ProgramFile, WhatStartsByItself) {
    const std::pair<std::string, bool> cases[] = {
        {"\x7F"
         "ELF\x02\x01\x01",
         true},
        {"#!/bin/sh\n", true},
        {"#!", true},
        {"%PDF-1.4", false},
        {"MZ\x90\x00", false}, // a Windows program: not one of this system's
        {"PK\x03\x04", false}, // an archive
        {"# a comment", false},
        {"\x7F"
         "EL",
         false},
        {"hej", false},
        {"", false},
        {"\xEF\xBB\xBF#!/bin/sh", false}, // a byte-order mark first: the kernel would refuse it
    };
    for (const auto& [bytes, program] : cases)
        EXPECT_EQ(startsAsProgram(bytes), program) << bytes;
    EXPECT_EQ(kProgramSignatureSize, 4u);
}

} // namespace
} // namespace dv
