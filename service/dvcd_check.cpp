// dvcd-check DISC_FOLDER [--lang en|sv] [--max-page-size BYTES]
//
// Reads a disc folder as the start program will and reports, file and line,
// what would fail a reader. Exits 1 when anything would, 2 on a usage error.

#include "DiscCheckCommand.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return dv::runDiscCheckCommand(arguments, std::cout, std::cerr);
}
