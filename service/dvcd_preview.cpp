// dvcd-preview DOCUMENT.xml
//
// Prints what the disc's start program would do with an update document.
// Exits 1 when the program would report a failed update.

#include "UpdatePreview.h"

#include <fstream>
#include <iostream>
#include <iterator>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: dvcd-preview DOCUMENT.xml\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "dvcd-preview: cannot read " << argv[1] << "\n";
        return 2;
    }
    const std::string document((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return dv::previewUpdateDocument(document, std::cout) ? 0 : 1;
}
