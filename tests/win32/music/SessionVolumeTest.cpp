// The program's volume is the master volume of its audio session.

#include "win32/music/SessionVolume.h"

#include <gtest/gtest.h>

namespace dv::win32 {
namespace {

TEST(SessionVolumeTest, TheOutputHasAVolumeControl) {
    SessionVolume volume;
    EXPECT_GE(volume.GetVolume(), 0);
}

TEST(SessionVolumeTest, WhatIsSetIsReadBackExactly) {
    SessionVolume volume;
    for (int level : {0, 1, 32342, 65534, 65535, 16384}) {
        volume.SetVolume(level);
        EXPECT_EQ(volume.GetVolume(), level);
    }
}

TEST(SessionVolumeTest, LevelsOutsideTheRangeAreHeldToIt) {
    SessionVolume volume;
    volume.SetVolume(70000);
    EXPECT_EQ(volume.GetVolume(), 65535);
    volume.SetVolume(-5);
    EXPECT_EQ(volume.GetVolume(), 0);
    volume.SetVolume(65535);
}

} // namespace
} // namespace dv::win32
