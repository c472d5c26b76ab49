#pragma once

#include "DocumentFolder.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dv {

// The parts of a request an answer depends on.
struct RequestFacts {
    std::string_view method;
    std::string_view target;
    std::string_view ifNoneMatch;
    std::string_view ifModifiedSince;
};

// An answer, independent of the HTTP library that sends it. The views point
// into `holds` or into texts that live as long as the program.
struct Reply {
    unsigned status = 200;
    std::vector<std::pair<std::string_view, std::string_view>> headers;
    std::string_view body;                    // what is sent: empty for HEAD and 304
    std::optional<std::size_t> contentLength; // what a GET gets; absent for 304
    std::shared_ptr<const ServedDocument> holds;
};

// What the service answers, with the HTTP caching rules:
// - a disc's document: 200 with a strong ETag, Last-Modified and
//   Cache-Control for the editors' lifetime; 304 to a conditional request
//   that names the version the client has;
// - a disc without a document: the empty document, cached one minute at
//   most, so a document published for it reaches the readers soon;
// - a disc whose document has no good version, and every disc while the
//   folder has never been read: 503, never stored, so any cache in front
//   goes on serving what it had.
// HEAD gets the headers of GET. Anything else is refused plainly.
class UpdateReplies {
  public:
    UpdateReplies(const DocumentFolder& documents, std::chrono::seconds lifetime);

    Reply answer(const RequestFacts& request) const;
    // The answer to a request that could not be read: 400, 408, 413, 414, 431, 501.
    static Reply refusal(unsigned status);

    static constexpr std::string_view kPath = "/dvcd/autoupdate.asp";

  private:
    Reply answerGet(const RequestFacts& request) const;
    Reply document(const RequestFacts& request, std::shared_ptr<const ServedDocument> document,
                   std::string_view cacheControl) const;

    const DocumentFolder& documents_;
    std::string documentCaching_;
    std::string unknownCaching_;
};

} // namespace dv
