// Prints the disc id the program would send for a disc folder.
#include "linux/LinuxVolumeInfo.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: disc_label FOLDER\n");
        return 2;
    }
    std::printf("%s\n", dv::LinuxVolumeInfo(argv[1]).getDiscName().c_str());
    return 0;
}
