// dvcd-master DISC_FOLDER --label LABEL -o IMAGE.iso
//
// Checks a disc folder and writes the image that is pressed: the disc, the
// Windows and Linux start programs, the Linux program's runtime and the
// autorun files, under the label the update service knows the disc by.

#include "DiscMasterCommand.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return dv::runDiscMasterCommand(arguments, std::cout, std::cerr);
}
