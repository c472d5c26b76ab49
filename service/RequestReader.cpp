#include "RequestReader.h"

#include <boost/beast/http/error.hpp>
#include <boost/beast/http/field.hpp>

#include <cstring>
#include <string>
#include <string_view>

namespace dv {

namespace beast = boost::beast;
namespace http = beast::http;
using boost::system::error_code;

namespace {

std::string_view buffered(const beast::flat_buffer& buffer) {
    const auto data = buffer.data();
    return {static_cast<const char*>(data.data()), data.size()};
}

unsigned statusOf(const error_code& ec) {
    if (ec == http::error::header_limit || ec == http::error::buffer_overflow)
        return 431;
    if (ec == http::error::body_limit)
        return 413;
    if (ec == http::error::bad_transfer_encoding)
        return 501;
    return 400;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

bool isChunked(std::string_view coding) {
    coding = trimmed(coding);
    if (coding.size() != 7)
        return false;
    for (std::size_t i = 0; i < 7; ++i)
        if ((coding[i] | 0x20) != "chunked"[i])
            return false;
    return true;
}

} // namespace

void RequestReader::start() {
    parser_.emplace();
    parser_->header_limit(kHeaderLimit);
    parser_->body_limit(kBodyLimit);
    parser_->eager(true);
    headerBytes_ = 0;
    lineSeen_ = false;
    lineMended_ = false;
}

RequestReader::Step RequestReader::read(beast::flat_buffer& buffer) {
    // Empty lines before a request are skipped, as the standard asks; they
    // count against the header's bound, so an endless stream of them ends.
    while (!lineSeen_) {
        const std::string_view data = buffered(buffer);
        const std::size_t skip = data.starts_with("\r\n") ? 2 : data.starts_with('\n') ? 1 : 0;
        if (skip == 0 && !data.empty() && data != "\r") {
            lineSeen_ = true;
            break;
        }
        buffer.consume(skip);
        headerBytes_ += skip;
        if (headerBytes_ + buffer.size() >= kHeaderLimit)
            return refused(431);
        if (skip == 0)
            return {};
    }
    if (!lineMended_) {
        // A request line past the bound says 414, however it was cut.
        const std::size_t end = buffered(buffer).find('\n');
        if (end == std::string_view::npos)
            return headerBytes_ + buffer.size() >= kHeaderLimit ? refused(414) : Step{};
        if (headerBytes_ + end >= kHeaderLimit)
            return refused(414);
        if (!mendRequestLine(buffer))
            return refused(414);
        lineMended_ = true;
    }
    // Beast bounds only what one call is handed and drops the lines it has
    // read; what it may still take is what the bound leaves.
    error_code ec;
    while (!parser_->is_done()) {
        const bool inHeader = !parser_->is_header_done();
        // Beast asserts that the end of a chunked body comes in pieces of at
        // least five bytes; any whole end has five.
        if (!inHeader && parser_->chunked() && buffer.size() < 5)
            break;
        if (inHeader) {
            if (headerBytes_ >= kHeaderLimit)
                return refused(431);
            parser_->header_limit(static_cast<std::uint32_t>(kHeaderLimit - headerBytes_));
        }
        const std::size_t used = parser_->put(buffer.data(), ec);
        buffer.consume(used);
        if (inHeader)
            headerBytes_ += used;
        // Beast bounds the request line and the fields apart.
        if (inHeader && headerBytes_ > kHeaderLimit)
            return refused(431);
        if (ec || used == 0 || buffer.size() == 0)
            break;
    }
    // A length beside a coding is a request two readers could split
    // differently: 400, whatever the coding.
    if (ec == http::error::bad_transfer_encoding &&
        parser_->get().count(http::field::content_length) > 0)
        return refused(400);
    if (ec && ec != http::error::need_more)
        return refused(statusOf(ec));
    // Beast may ask for more without a word when the room left is smaller
    // than the line it had begun: bytes past the bound in a header that has
    // not ended are over the bound, whatever Beast says.
    if (!parser_->is_header_done() && headerBytes_ + buffer.size() > kHeaderLimit)
        return refused(431);
    if (parser_->is_header_done()) {
        if (const Step checked = checkHeader(); checked.kind == Step::Kind::Refused)
            return checked;
    }
    return parser_->is_done() ? Step{Step::Kind::Done, 0} : Step{};
}

RequestReader::Step RequestReader::checkHeader() const {
    const auto& request = parser_->get();
    if (request.version() >= 11 && request.count(http::field::host) != 1)
        return refused(400);
    // Only chunked is known here; any other coding, or one on top of it,
    // would leave the body unread or misread.
    const auto codings = request.equal_range(http::field::transfer_encoding);
    for (auto field = codings.first; field != codings.second; ++field)
        if (!isChunked(field->value()))
            return refused(501);
    if (request.count(http::field::transfer_encoding) > 1)
        return refused(501);
    return {};
}

// Older discs send their label as it is, blanks included, so the request
// line may hold more than two blanks. The target is what lies between the
// method and the version; its blanks become %20 before the HTTP parser sees
// it. False when the mended line no longer fits.
bool RequestReader::mendRequestLine(beast::flat_buffer& buffer) const {
    const std::string_view data = buffered(buffer);
    std::string_view line = data.substr(0, data.find('\n'));
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    const std::size_t first = line.find(' ');
    const std::size_t last = line.rfind(' ');
    if (first == std::string_view::npos || line.find(' ', first + 1) == last ||
        !line.substr(last + 1).starts_with("HTTP/"))
        return true;
    std::string mended(line.substr(0, first + 1));
    for (const char c : line.substr(first + 1, last - first - 1))
        mended += c == ' ' ? std::string("%20") : std::string(1, c);
    mended += data.substr(last);
    if (mended.size() > buffer.max_size())
        return false;
    buffer.clear();
    const auto room = buffer.prepare(mended.size());
    std::memcpy(room.data(), mended.data(), mended.size());
    buffer.commit(mended.size());
    return true;
}

} // namespace dv
