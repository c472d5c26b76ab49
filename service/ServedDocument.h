#pragma once

#include <ctime>
#include <memory>
#include <string>

namespace dv {

// One version of a document as the service sends it: its bytes as they are
// in the file and what HTTP says about them, worked out once per version.
struct ServedDocument {
    std::string bytes;
    std::string contentType;  // text/xml; charset=<as the program decodes it>
    std::string entityTag;    // strong, from the bytes
    std::time_t modified = 0; // 0: no modification time
    std::string lastModified; // modified as an HTTP date, or empty

    static std::shared_ptr<const ServedDocument> make(std::string bytes, std::time_t modified);
};

} // namespace dv
