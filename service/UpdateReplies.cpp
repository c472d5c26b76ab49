#include "UpdateReplies.h"

#include "EntityTags.h"
#include "HttpDate.h"
#include "UpdateQuery.h"
#include "core/text/AnsiText.h"

#include <algorithm>

namespace dv {

namespace {

constexpr std::string_view kText = "text/plain; charset=utf-8";
constexpr std::string_view kNoStore = "no-store";

Reply plain(unsigned status, std::string_view text) {
    Reply reply;
    reply.status = status;
    reply.headers = {{"Content-Type", kText}, {"Cache-Control", kNoStore}};
    reply.body = text;
    reply.contentLength = text.size();
    return reply;
}

bool isHead(std::string_view method) {
    return method == "HEAD";
}

// Never stored, so that any cache in front goes on serving what it had.
Reply unavailable(std::string_view text) {
    Reply reply = plain(503, text);
    reply.headers.emplace_back("Retry-After", "60");
    return reply;
}

} // namespace

UpdateReplies::UpdateReplies(const DocumentFolder& documents, std::chrono::seconds lifetime)
    : documents_(documents),
      documentCaching_("public, max-age=" + std::to_string(lifetime.count())),
      unknownCaching_("public, max-age=" +
                      std::to_string(std::min<long long>(lifetime.count(), 60))) {}

// HEAD gets what GET gets but the body, whatever the answer: a body after
// it would be read by a kept-alive client as the start of its next answer.
Reply UpdateReplies::answer(const RequestFacts& request) const {
    Reply reply = answerGet(request);
    if (isHead(request.method))
        reply.body = {};
    return reply;
}

Reply UpdateReplies::answerGet(const RequestFacts& request) const {
    const UpdateQuery query = UpdateQuery::parse(request.target);
    if (query.path != kPath)
        return plain(404, "No such page.\n");
    if (request.method != "GET" && !isHead(request.method)) {
        Reply reply = plain(405, "Only GET and HEAD.\n");
        reply.headers.emplace_back("Allow", "GET, HEAD");
        return reply;
    }
    if (!query.discId)
        return plain(400, "The request names no disc (discid=).\n");
    DocumentFolder::Lookup found = documents_.find(*query.discId);
    // Older discs send a label beyond ASCII in their Windows code page; the
    // documents are named in UTF-8, as the program sends it.
    if (found.kind == DocumentFolder::Lookup::Kind::Unknown && !isValidUtf8(*query.discId))
        found = documents_.find(windows1252ToUtf8(*query.discId));
    switch (found.kind) {
    case DocumentFolder::Lookup::Kind::Broken:
        return unavailable("The document of this disc is being repaired.\n");
    case DocumentFolder::Lookup::Kind::Unavailable:
        return unavailable("The documents cannot be read yet.\n");
    case DocumentFolder::Lookup::Kind::Unknown:
        return document(request, found.document, unknownCaching_);
    case DocumentFolder::Lookup::Kind::Found:
        break;
    }
    return document(request, found.document, documentCaching_);
}

Reply UpdateReplies::document(const RequestFacts& request,
                              std::shared_ptr<const ServedDocument> document,
                              std::string_view cacheControl) const {
    Reply reply;
    reply.headers = {{"ETag", document->entityTag}, {"Cache-Control", cacheControl}};
    if (!document->lastModified.empty())
        reply.headers.emplace_back("Last-Modified", document->lastModified);
    // If-None-Match decides when present; If-Modified-Since only without it.
    bool unchanged = false;
    if (!request.ifNoneMatch.empty()) {
        unchanged = noneMatchNames(request.ifNoneMatch, document->entityTag);
    } else if (!request.ifModifiedSince.empty() && document->modified > 0) {
        const auto since = parseHttpDate(request.ifModifiedSince);
        unchanged = since && document->modified <= *since;
    }
    if (unchanged) {
        reply.status = 304;
    } else {
        reply.headers.emplace_back("Content-Type", document->contentType);
        reply.contentLength = document->bytes.size();
        reply.body = document->bytes;
    }
    reply.holds = std::move(document);
    return reply;
}

Reply UpdateReplies::refusal(unsigned status) {
    switch (status) {
    case 408:
        return plain(408, "The request came too slowly.\n");
    case 413:
        return plain(413, "The request's body is too large.\n");
    case 414:
        return plain(414, "The request's target is too long.\n");
    case 431:
        return plain(431, "The request's header is too large.\n");
    case 501:
        return plain(501, "The request's Transfer-Encoding is not supported.\n");
    default:
        return plain(400, "The request could not be read.\n");
    }
}

} // namespace dv
