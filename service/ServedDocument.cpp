#include "ServedDocument.h"

#include "EntityTags.h"
#include "HttpDate.h"
#include "core/update/DocumentEncoding.h"

namespace dv {

std::shared_ptr<const ServedDocument> ServedDocument::make(std::string bytes,
                                                           std::time_t modified) {
    auto document = std::make_shared<ServedDocument>();
    // The program's own rule, so the charset said is the one it decodes
    // with; a document it refuses is never served, but for safety UTF-8.
    const std::string charset = documentCharset(bytes);
    document->contentType =
        "text/xml; charset=" + (charset.empty() ? std::string("UTF-8") : charset);
    document->entityTag = strongEntityTag(bytes);
    document->modified = modified;
    if (modified > 0)
        document->lastModified = httpDate(modified);
    document->bytes = std::move(bytes);
    return document;
}

} // namespace dv
