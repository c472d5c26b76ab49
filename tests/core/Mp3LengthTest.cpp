#include "core/music/Mp3Length.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace dv {
namespace {

// One frame's header fields, as the bits say them.
struct Frame {
    int version = 3; // 3 MPEG 1, 2 MPEG 2, 0 MPEG 2.5
    int layer = 1;   // 1 layer III, 2 layer II, 3 layer I
    int rate = 9;    // bit-rate index
    int sampling = 0;
    int padding = 0;
    bool mono = false;
};

int kbps(const Frame& f) {
    static constexpr int kV1[3][15] = {
        {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
        {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448}};
    static constexpr int kV2[15] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
    return f.version == 3 ? kV1[f.layer - 1][f.rate] : kV2[f.rate];
}

int frameSize(const Frame& f) {
    const int rate = (f.sampling == 0   ? 44100
                      : f.sampling == 1 ? 48000
                                        : 32000) /
                     (f.version == 3   ? 1
                      : f.version == 2 ? 2
                                       : 4);
    if (f.layer == 3)
        return (12 * kbps(f) * 1000 / rate + f.padding) * 4;
    const int slots = f.layer == 1 && f.version != 3 ? 72 : 144;
    return slots * kbps(f) * 1000 / rate + f.padding;
}

std::string frame(const Frame& f, const std::string& payload = {}) {
    // A frame without a size of its own (free format, reserved values) is
    // given some.
    const int size = f.rate == 0 || f.sampling == 3 ? 400 : frameSize(f);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    bytes[0] = '\xFF';
    bytes[1] = static_cast<char>(0xE0 | f.version << 3 | f.layer << 1 | 1);
    bytes[2] = static_cast<char>(f.rate << 4 | f.sampling << 2 | f.padding << 1);
    bytes[3] = static_cast<char>(f.mono ? 0xC0 : 0x00);
    bytes.replace(4, payload.size(), payload);
    return bytes;
}

std::string frames(const Frame& f, int count) {
    std::string out;
    for (int i = 0; i < count; ++i)
        out += frame(f);
    return out;
}

std::string bigEndian(unsigned value) {
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
            static_cast<char>(value >> 8), static_cast<char>(value)};
}

// A Xing (or Info) header after side information of `side` bytes.
std::string xing(const char* name, std::size_t side, unsigned count, unsigned flags = 1) {
    return std::string(side, '\0') + name + bigEndian(flags) + bigEndian(count);
}

std::string id3v2(std::size_t size) {
    std::string tag = "ID3\x03";
    tag += '\0';
    tag += '\0';
    tag += static_cast<char>(size >> 21 & 0x7F);
    tag += static_cast<char>(size >> 14 & 0x7F);
    tag += static_cast<char>(size >> 7 & 0x7F);
    tag += static_cast<char>(size & 0x7F);
    return tag + std::string(size, 'x');
}

std::string id3v1() {
    return "TAG" + std::string(125, 'y');
}

std::optional<long> lengthOf(const std::string& bytes) {
    std::istringstream in(bytes);
    return mp3LengthOf(in);
}

TEST(Mp3Length, ReadsTheLengthFromTheFrames) {
    const Frame cbr128; // MPEG 1, layer III, 128 kbit/s, 44.1 kHz: 417 bytes
    Frame other = cbr128;
    other.rate = 10; // 160 kbit/s
    Frame mpeg2;
    mpeg2.version = 2;
    mpeg2.rate = 8; // 64 kbit/s at 22.05 kHz, 576 samples a frame
    Frame mono = cbr128;
    mono.mono = true;
    Frame layer2 = cbr128;
    layer2.layer = 2;
    layer2.sampling = 1;
    Frame layer1 = cbr128;
    layer1.layer = 3;
    layer1.sampling = 2;
    Frame mpeg25 = mpeg2;
    mpeg25.version = 0;
    std::string vbr;
    for (int i = 0; i < 50; ++i)
        vbr += frame(i % 3 ? cbr128 : other);

    struct Case {
        const char* what;
        std::string bytes;
        long long milliseconds;
    };
    const std::vector<Case> cases = {
        // Same rate throughout: the size over the rate.
        {"constant rate", frames(cbr128, 100), 100 * 417 * 8 / 128},
        {"ID3v2 tag before, ID3v1 after", id3v2(1000) + frames(cbr128, 100) + id3v1(),
         100 * 417 * 8 / 128},
        {"junk before the first frame", std::string(300, '\x55') + "\xFF\x01" + frames(cbr128, 10),
         10 * 417 * 8 / 128},
        // A header's frame count wins over the size.
        {"Info header", frame(cbr128, xing("Info", 32, 319)) + frames(cbr128, 3),
         319LL * 1152 * 1000 / 44100},
        {"Xing header, mono", frame(mono, xing("Xing", 17, 1000, 0xF)) + frames(mono, 3),
         1000LL * 1152 * 1000 / 44100},
        {"Xing header, MPEG 2", frame(mpeg2, xing("Xing", 17, 500)) + frames(mpeg2, 3),
         500LL * 576 * 1000 / 22050},
        {"VBRI header",
         frame(cbr128, std::string(32, '\0') + "VBRI" + std::string(10, '\0') + bigEndian(2000)) +
             frames(cbr128, 2),
         2000LL * 1152 * 1000 / 44100},
        // Varying rates without a header: every frame counted.
        {"variable rate", vbr, 50LL * 1152 * 1000 / 44100},
        {"variable rate, tag after", vbr + id3v1(), 50LL * 1152 * 1000 / 44100},
        {"MPEG 2 constant", frames(mpeg2, 40), 40LL * frameSize(mpeg2) * 8 / 64},
        {"MPEG 2.5 constant", frames(mpeg25, 40), 40LL * frameSize(mpeg25) * 8 / 64},
        {"layer II", frames(layer2, 20), 20LL * frameSize(layer2) * 8 / kbps(layer2)},
        {"layer I", frames(layer1, 20), 20LL * frameSize(layer1) * 8 / kbps(layer1)},
        {"one frame", frame(cbr128), 417 * 8 / 128},
    };
    for (const Case& c : cases)
        EXPECT_EQ(lengthOf(c.bytes), c.milliseconds) << c.what;
}

TEST(Mp3Length, DataThatIsNoMpegAudioHasNone) {
    Frame freeFormat;
    freeFormat.rate = 0;
    Frame reserved;
    reserved.sampling = 3;
    const std::string lone = frame(Frame{});
    struct Case {
        const char* what;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {"empty", ""},
        {"text", std::string(5000, '\x55')},
        {"only tags", id3v2(100) + id3v1()},
        {"a tag that claims more than the file", id3v2(1000).substr(0, 50) + frame(Frame{})},
        {"free format", frames(freeFormat, 5)},
        {"reserved sampling rate", frames(reserved, 5)},
        // A sync word whose frame is not followed by another where it ends.
        {"lone sync", lone + std::string(100, '\x55')},
        {"cut frame", lone.substr(0, 200)},
        {"Xing header with no frame count",
         frame(Frame{}, xing("Xing", 32, 0)) + frames(Frame{}, 3)},
        {"first frame past the search", std::string(70 * 1024, '\0') + frames(Frame{}, 5)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(lengthOf(c.bytes), std::nullopt) << c.what;
}

TEST(Mp3Length, TheSampleDiscsTrack) {
    EXPECT_EQ(mp3LengthOf(std::string(DATAVIND_SAMPLE_DISC) + "/musik/Vinterljus.mp3"),
              319LL * 1152 * 1000 / 44100);
    EXPECT_EQ(mp3LengthOf(std::string(DATAVIND_SAMPLE_DISC) + "/musik/saknas.mp3"), std::nullopt);
}

} // namespace
} // namespace dv
