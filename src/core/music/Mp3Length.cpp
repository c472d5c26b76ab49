#include "core/music/Mp3Length.h"

#include "core/app/RegularFile.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <string_view>
#include <vector>

namespace dv {

namespace {

// How far past the ID3v2 tag the first frame may lie (junk, padding).
constexpr std::uint64_t kSyncSearch = 64 * 1024;
// Frames after the first that must agree for the bit rate to be taken as
// the whole file's.
constexpr int kConstantFrames = 3;
// Past this many frames (some 7 hours) the walk gives up.
constexpr long kMaxFrames = 1'000'000;

struct FrameHeader {
    int version = 0; // 1, 2 or 25 (MPEG 2.5)
    int layer = 0;
    int kbps = 0;
    int sampleRate = 0;
    int samples = 0; // per frame
    int size = 0;    // bytes, header included
    bool mono = false;

    bool sameStream(const FrameHeader& other) const {
        return version == other.version && layer == other.layer && sampleRate == other.sampleRate;
    }
};

std::optional<FrameHeader> headerAt(const unsigned char* b) {
    if (b[0] != 0xFF || (b[1] & 0xE0) != 0xE0)
        return std::nullopt;
    const int versionBits = (b[1] >> 3) & 3;
    const int layerBits = (b[1] >> 1) & 3;
    const int rateIndex = b[2] >> 4;
    const int sampleIndex = (b[2] >> 2) & 3;
    if (versionBits == 1 || layerBits == 0 || rateIndex == 0 || rateIndex == 15 || sampleIndex == 3)
        return std::nullopt; // reserved, or free format, which names no rate
    static constexpr int kRates[5][15] = {
        {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448}, // MPEG 1, layer I
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},    // MPEG 1, layer II
        {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},     // MPEG 1, layer III
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224,
         256}, // MPEG 2 and 2.5, layer I
        {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144,
         160}, // MPEG 2 and 2.5, II and III
    };
    static constexpr int kSampleRates[3] = {44100, 48000, 32000};
    FrameHeader h;
    h.version = versionBits == 3 ? 1 : versionBits == 2 ? 2 : 25;
    h.layer = 4 - layerBits;
    const int table = h.version == 1 ? h.layer - 1 : h.layer == 1 ? 3 : 4;
    h.kbps = kRates[table][rateIndex];
    h.sampleRate = kSampleRates[sampleIndex] / (h.version == 1 ? 1 : h.version == 2 ? 2 : 4);
    const int padding = (b[2] >> 1) & 1;
    h.mono = (b[3] >> 6) == 3;
    if (h.layer == 1) {
        h.samples = 384;
        h.size = (12 * h.kbps * 1000 / h.sampleRate + padding) * 4;
    } else {
        h.samples = h.layer == 3 && h.version != 1 ? 576 : 1152;
        h.size = h.samples / 8 * h.kbps * 1000 / h.sampleRate + padding;
    }
    return h;
}

std::uint32_t bigEndian(const unsigned char* b) {
    return static_cast<std::uint32_t>(b[0]) << 24 | static_cast<std::uint32_t>(b[1]) << 16 |
           static_cast<std::uint32_t>(b[2]) << 8 | b[3];
}

// The stream, read through a window that moves forward.
class Bytes {
  public:
    explicit Bytes(std::istream& in) : in_(in) {
        in_.seekg(0, std::ios::end);
        const std::streamoff end = in_.tellg();
        size_ = end > 0 ? static_cast<std::uint64_t>(end) : 0;
    }
    std::uint64_t size() const { return size_; }
    // count bytes at offset, or nullptr past the end.
    const unsigned char* at(std::uint64_t offset, std::size_t count) {
        if (offset + count > size_)
            return nullptr;
        if (offset < start_ || offset + count > start_ + window_.size()) {
            window_.assign(std::max<std::size_t>(count, kWindow), 0);
            const std::uint64_t wanted = std::min<std::uint64_t>(window_.size(), size_ - offset);
            in_.clear();
            in_.seekg(static_cast<std::streamoff>(offset));
            in_.read(reinterpret_cast<char*>(window_.data()), static_cast<std::streamsize>(wanted));
            window_.resize(static_cast<std::size_t>(in_.gcount()));
            start_ = offset;
            if (window_.size() < count)
                return nullptr;
        }
        return window_.data() + (offset - start_);
    }

  private:
    static constexpr std::size_t kWindow = 64 * 1024;
    std::istream& in_;
    std::uint64_t size_ = 0;
    std::uint64_t start_ = 0;
    std::vector<unsigned char> window_;
};

// Where the audio begins: after an ID3v2 tag, if there is one.
std::uint64_t audioStart(Bytes& bytes) {
    const unsigned char* b = bytes.at(0, 10);
    if (!b || std::memcmp(b, "ID3", 3) != 0 || b[3] == 0xFF || b[4] == 0xFF)
        return 0;
    for (int i = 6; i < 10; ++i)
        if (b[i] & 0x80)
            return 0; // no tag's size: not synchsafe
    const std::uint64_t size = (std::uint64_t{b[6]} << 21) | (std::uint64_t{b[7]} << 14) |
                               (std::uint64_t{b[8]} << 7) | b[9];
    const bool footer = (b[5] & 0x10) != 0;
    return 10 + size + (footer ? 10 : 0);
}

// Where the audio ends: before an ID3v1 tag, if there is one.
std::uint64_t audioEnd(Bytes& bytes) {
    const std::uint64_t size = bytes.size();
    if (size >= 128) {
        const unsigned char* b = bytes.at(size - 128, 3);
        if (b && std::memcmp(b, "TAG", 3) == 0)
            return size - 128;
    }
    return size;
}

std::optional<FrameHeader> frameAt(Bytes& bytes, std::uint64_t offset, std::uint64_t end) {
    if (offset + 4 > end)
        return std::nullopt;
    const unsigned char* b = bytes.at(offset, 4);
    if (!b)
        return std::nullopt;
    std::optional<FrameHeader> h = headerAt(b);
    if (!h || offset + static_cast<std::uint64_t>(h->size) > end)
        return std::nullopt;
    return h;
}

long millisecondsOf(std::uint64_t frames, const FrameHeader& h) {
    return static_cast<long>(frames * static_cast<std::uint64_t>(h.samples) * 1000 /
                             static_cast<std::uint64_t>(h.sampleRate));
}

// The frame count a Xing, Info or VBRI header in the first frame gives.
std::optional<std::uint64_t> headerFrames(Bytes& bytes, std::uint64_t offset,
                                          const FrameHeader& h) {
    const unsigned char* frame = bytes.at(offset, static_cast<std::size_t>(h.size));
    if (!frame)
        return std::nullopt;
    const std::string_view data(reinterpret_cast<const char*>(frame),
                                static_cast<std::size_t>(h.size));
    // The Xing header follows the side information.
    const std::size_t side = h.version == 1 ? (h.mono ? 17 : 32) : (h.mono ? 9 : 17);
    const std::size_t xing = 4 + side;
    if (data.size() >= xing + 12 &&
        (data.substr(xing, 4) == "Xing" || data.substr(xing, 4) == "Info")) {
        if ((bigEndian(frame + xing + 4) & 1) != 0)
            return bigEndian(frame + xing + 8);
        return std::nullopt;
    }
    constexpr std::size_t vbri = 4 + 32;
    if (data.size() >= vbri + 18 && data.substr(vbri, 4) == "VBRI")
        return bigEndian(frame + vbri + 14);
    return std::nullopt;
}

} // namespace

std::optional<long> mp3LengthOf(std::istream& in) {
    Bytes bytes(in);
    const std::uint64_t start = audioStart(bytes);
    const std::uint64_t end = audioEnd(bytes);
    if (start >= end)
        return std::nullopt;
    // The first frame is one whose successor follows where it says, in the
    // same stream (or the audio ends there): a lone 0xFF is no frame.
    std::optional<FrameHeader> first;
    std::uint64_t offset = start;
    const std::uint64_t searchEnd = std::min(end, start + kSyncSearch);
    for (; offset < searchEnd; ++offset) {
        first = frameAt(bytes, offset, end);
        if (!first)
            continue;
        const std::uint64_t next = offset + static_cast<std::uint64_t>(first->size);
        if (next == end)
            break;
        const std::optional<FrameHeader> second = frameAt(bytes, next, end);
        if (second && second->sameStream(*first))
            break;
        first.reset();
    }
    if (!first)
        return std::nullopt;
    if (const std::optional<std::uint64_t> frames = headerFrames(bytes, offset, *first))
        return *frames > 0 ? std::optional<long>(millisecondsOf(*frames, *first)) : std::nullopt;

    // Frames that share the first one's rate: the size says the rest.
    std::uint64_t at = offset;
    bool constant = true;
    for (int i = 0; i <= kConstantFrames && at < end; ++i) {
        const std::optional<FrameHeader> h = frameAt(bytes, at, end);
        if (!h)
            break;
        constant = constant && h->kbps == first->kbps && h->sameStream(*first);
        at += static_cast<std::uint64_t>(h->size);
    }
    if (constant)
        return static_cast<long>((end - offset) * 8 / static_cast<std::uint64_t>(first->kbps));

    // A variable rate without a header: every frame counted.
    std::uint64_t frames = 0;
    for (at = offset; at < end && frames < static_cast<std::uint64_t>(kMaxFrames); ++frames) {
        const std::optional<FrameHeader> h = frameAt(bytes, at, end);
        if (!h || !h->sameStream(*first))
            break;
        at += static_cast<std::uint64_t>(h->size);
    }
    if (frames >= static_cast<std::uint64_t>(kMaxFrames))
        return std::nullopt;
    return millisecondsOf(frames, *first);
}

std::optional<long> mp3LengthOf(const std::string& path) {
    try {
        std::ifstream in = openRegularFile(path);
        return mp3LengthOf(in);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace dv
