#include "RequestReader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace dv {
namespace {

using Kind = RequestReader::Step::Kind;
namespace beast = boost::beast;

constexpr std::size_t kRoom = 2 * RequestReader::kHeaderLimit + RequestReader::kBodyLimit;

void append(beast::flat_buffer& buffer, std::string_view bytes) {
    const auto room = buffer.prepare(bytes.size());
    std::memcpy(room.data(), bytes.data(), bytes.size());
    buffer.commit(bytes.size());
}

// Hands the request to a reader in pieces of the given size, as a
// connection would after each read; the step after the last piece, or the
// first that is not NeedMore.
RequestReader::Step readInPieces(RequestReader& reader, const std::string& bytes,
                                 std::size_t piece) {
    beast::flat_buffer buffer(kRoom);
    reader.start();
    RequestReader::Step step;
    for (std::size_t at = 0; at < bytes.size(); at += piece) {
        append(buffer, std::string_view(bytes).substr(at, piece));
        step = reader.read(buffer);
        if (step.kind != Kind::NeedMore)
            return step;
        EXPECT_LE(buffer.size(), RequestReader::kHeaderLimit) << "piece " << piece;
    }
    return step;
}

const std::string kLine = "GET /dvcd/autoupdate.asp?discid=x HTTP/1.1\r\nHost: t\r\n";

// A header of exactly `size` bytes, its end included, made of short lines.
std::string headerOf(std::size_t size, const std::string& filler) {
    std::string header = kLine;
    while (header.size() + 2 * filler.size() + 2 <= size)
        header += filler;
    // The rest in one line of at least "X:" and its end.
    const std::size_t left = size - header.size() - 2;
    return header + "X:" + std::string(left - 4, 'b') + "\r\n\r\n";
}

// Every piece size from one byte to 8 KiB, with lines of a few dozen bytes;
// the attack's shortest lines (thousands of fields, each costly to store)
// with the sizes around every edge.
TEST(RequestReaderTest, TheWholeHeaderCountsAgainstOneBoundHoweverItIsCut) {
    struct Shape {
        std::string filler;
        std::vector<std::size_t> pieces;
    };
    std::vector<std::size_t> everySize;
    for (std::size_t piece = 1; piece <= 8 * 1024; ++piece)
        everySize.push_back(piece);
    const std::vector<Shape> shapes = {
        {"X-a: " + std::string(40, 'b') + "\r\n", everySize},
        {"X-a: b\r\n", {1, 2, 3, 4, 5, 7, 8, 64, 1000, 4095, 4096, 4097, 8191, 8192}},
    };
    for (const Shape& shape : shapes) {
        const std::string atBound = headerOf(RequestReader::kHeaderLimit, shape.filler);
        ASSERT_EQ(atBound.size(), RequestReader::kHeaderLimit);
        const std::string pastBound = headerOf(RequestReader::kHeaderLimit + 1, shape.filler);
        const std::string endless = kLine + [&] {
            std::string lines;
            while (lines.size() < 80 * 1024)
                lines += shape.filler.size() > 10 ? shape.filler : "a:\r\n";
            return lines;
        }();
        std::size_t fillers = 0;
        for (std::size_t at = atBound.find("X-a: "); at != std::string::npos;
             at = atBound.find("X-a: ", at + 1))
            ++fillers;
        RequestReader reader;
        for (const std::size_t piece : shape.pieces) {
            const auto accepted = readInPieces(reader, atBound, piece);
            ASSERT_EQ(accepted.kind, Kind::Done)
                << "piece " << piece << " status " << accepted.status;
            EXPECT_EQ(reader.request().count("X-a"), fillers);
            for (const std::string* refusedOne : {&pastBound, &endless}) {
                const auto refused = readInPieces(reader, *refusedOne, piece);
                ASSERT_EQ(refused.kind, Kind::Refused)
                    << "piece " << piece << " of " << refusedOne->size();
                ASSERT_EQ(refused.status, 431u) << "piece " << piece;
            }
        }
    }
}

TEST(RequestReaderTest, EmptyLinesBeforeTheRequestAreSkippedButBounded) {
    RequestReader reader;
    const auto step = readInPieces(reader, "\r\n\n\r\n" + kLine + "\r\n", 1);
    ASSERT_EQ(step.kind, Kind::Done);
    EXPECT_EQ(reader.request().target(), "/dvcd/autoupdate.asp?discid=x");
    std::string blanks;
    while (blanks.size() < 20000)
        blanks += "\r\n";
    for (const std::size_t piece : {1U, 7U, 4096U}) {
        const auto endless = readInPieces(reader, blanks, piece);
        EXPECT_EQ(endless.kind, Kind::Refused) << piece;
        EXPECT_EQ(endless.status, 431u) << piece;
    }
}

TEST(RequestReaderTest, WhatTheStandardRefuses) {
    const struct {
        std::string request;
        Kind kind;
        unsigned status;
    } cases[] = {
        {"GET /a HTTP/1.1\r\nHost: t\r\n\r\n", Kind::Done, 0},
        {"GET /a HTTP/1.0\r\n\r\n", Kind::Done, 0},
        {"GET /a HTTP/1.1\r\n\r\n", Kind::Refused, 400},
        {"GET /a HTTP/1.1\r\nHost: a\r\nHost: b\r\n\r\n", Kind::Refused, 400},
        {"POST /a HTTP/1.1\r\nHost: t\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n0\r\n\r\n",
         Kind::Done, 0},
        {"POST /a HTTP/1.1\r\nHost: t\r\nTransfer-Encoding: Chunked \r\n\r\n0\r\n\r\n", Kind::Done,
         0},
        {"POST /a HTTP/1.1\r\nHost: t\r\nTransfer-Encoding: gzip\r\n\r\n", Kind::Refused, 501},
        {"POST /a HTTP/1.1\r\nHost: t\r\nTransfer-Encoding: gzip, chunked\r\n\r\n0\r\n\r\n",
         Kind::Refused, 501},
        {"POST /a HTTP/1.1\r\nHost: t\r\nTransfer-Encoding: chunked, gzip\r\n\r\n", Kind::Refused,
         501},
        {"POST /a HTTP/1.1\r\nHost: t\r\nTransfer-Encoding: chunked\r\nTransfer-Encoding: "
         "chunked\r\n\r\n",
         Kind::Refused, 501},
        {"POST /a HTTP/1.1\r\nHost: t\r\nContent-Length: 9000\r\n\r\n", Kind::Refused, 413},
        {"GET /" + std::string(9000, 'a') + " HTTP/1.1\r\nHost: t\r\n\r\n", Kind::Refused, 414},
        {"GET /a b HTTP/1.1\r\nHost: t\r\n\r\n", Kind::Done, 0}, // an older disc's blank
        {"GET /a HTTP/1.1\r\nHost t\r\n\r\n", Kind::Refused, 400},
    };
    RequestReader reader;
    for (const auto& c : cases)
        for (const std::size_t piece : {1UL, 5UL, c.request.size()}) {
            const auto step = readInPieces(reader, c.request, piece);
            EXPECT_EQ(step.kind, c.kind) << c.request.substr(0, 80) << " in pieces of " << piece;
            EXPECT_EQ(step.status, c.status) << c.request.substr(0, 80);
        }
}

} // namespace
} // namespace dv
