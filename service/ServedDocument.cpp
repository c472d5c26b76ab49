#include "ServedDocument.h"

#include "EntityTags.h"
#include "HttpDate.h"
#include "XmlCharset.h"

namespace dv {

std::shared_ptr<const ServedDocument> ServedDocument::make(std::string bytes, std::time_t modified) {
    auto document = std::make_shared<ServedDocument>();
    document->contentType = "text/xml; charset=" + xmlCharset(bytes);
    document->entityTag = strongEntityTag(bytes);
    document->modified = modified;
    if (modified > 0)
        document->lastModified = httpDate(modified);
    document->bytes = std::move(bytes);
    return document;
}

} // namespace dv
