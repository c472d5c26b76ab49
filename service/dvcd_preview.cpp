// dvcd-preview DOCUMENT.xml
//
// Prints what the disc's start program would do with an update document.
// Exits 1 when the program would report a failed update, 2 when the
// document cannot be read.

#include "UpdatePreview.h"

#include "core/update/XmlDocument.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kUsage =
    "usage: dvcd-preview DOCUMENT.xml\n"
    "Prints what the start program would do with the update document: its boxes, the pages it\n"
    "opens, the quarantine and notes it keeps, and where it does otherwise than the document\n"
    "seems to say. Exit status 0: taken; 1: the program would report a failed update;\n"
    "2: the document cannot be read.\n";

// The file's bytes, one past the most the program reads at most: a device
// or a pipe given by mistake must neither hang the preview nor fill memory.
bool readDocument(const char* path, std::string& bytes, std::string& error) {
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    struct stat s {};
    if (::fstat(fd, &s) != 0 || !S_ISREG(s.st_mode)) {
        ::close(fd);
        error = S_ISDIR(s.st_mode)
                    ? "a folder, not a document"
                    : "not a regular file (a device, a pipe or a socket), not a document";
        return false;
    }
    char chunk[65536];
    while (bytes.size() <= dv::kMaxXmlDocumentBytes) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = std::strerror(errno);
            ::close(fd);
            return false;
        }
        if (got == 0)
            break;
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::cout << kUsage;
        return 0;
    }
    if (argc != 2) {
        std::cerr << kUsage;
        return 2;
    }
    std::string document;
    std::string error;
    if (!readDocument(argv[1], document, error)) {
        std::cerr << "dvcd-preview: cannot read " << argv[1] << ": " << error << "\n";
        return 2;
    }
    return dv::previewUpdateDocument(document, std::cout) ? 0 : 1;
}
