#pragma once

#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/http/parser.hpp>
#include <boost/beast/http/string_body.hpp>

#include <cstddef>
#include <optional>

namespace dv {

// Reads one request from the bytes a connection has gathered, however they
// were cut into pieces: the whole header counts against one bound (Beast's
// own limit counts only what one call is handed), empty lines before the
// request line are skipped, and what the standard tells a server to refuse
// is refused with its status: 400 for HTTP/1.1 without exactly one Host, 431
// for a header past the bound, 413 for a body past its bound, 501 for a
// Transfer-Encoding other than chunked alone.
class RequestReader {
  public:
    using Parser = boost::beast::http::request_parser<boost::beast::http::string_body>;

    static constexpr std::size_t kHeaderLimit = 8 * 1024;
    static constexpr std::size_t kBodyLimit = 8 * 1024;

    struct Step {
        enum class Kind { NeedMore, Refused, Done } kind = Kind::NeedMore;
        unsigned status = 0; // for Refused
    };

    // Begins a new request.
    void start();
    // Parses what the buffer holds and consumes what was read of it.
    Step read(boost::beast::flat_buffer& buffer);
    // Lets the request go once it is answered.
    void clear() { parser_.reset(); }

    bool headerDone() const { return parser_ && parser_->is_header_done(); }
    // Some byte of this request has come (an empty line before it too).
    bool gotSome() const { return headerBytes_ > 0 || (parser_ && parser_->got_some()); }
    // The request read; only once read() said Done.
    const Parser::value_type& request() const { return parser_->get(); }

  private:
    Step refused(unsigned status) const { return {Step::Kind::Refused, status}; }
    Step checkHeader() const;
    bool mendRequestLine(boost::beast::flat_buffer& buffer) const;

    std::optional<Parser> parser_;
    std::size_t headerBytes_ = 0; // of this request's header, read so far
    bool lineSeen_ = false;       // the request line has begun
    bool lineMended_ = false;
};

} // namespace dv
