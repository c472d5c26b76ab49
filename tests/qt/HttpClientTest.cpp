// The update request's HTTP client against hostile servers on the loopback
// interface: one that sends far more than a document may hold, and one that
// sends a byte a second. Neither may keep the client reading, nor hold its
// answer in memory, nor keep "Kontrollerar..." on the status line.

#include "QtTestHelpers.h"
#include "RawHttpServer.h"
#include "qt/update/QtHttpClient.h"
#include "qt/update/UpdateChecker.h"

#include "qt/browser/QtBrowserHost.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>

#include <atomic>
#include <memory>
#include <optional>

using dv::test::RawHttpServer;

namespace {

constexpr std::size_t kLimit = 1024 * 1024;
constexpr long long kLimitBytes = 1024 * 1024;

// The process's resident memory now, in MiB.
long residentMiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong() / 1024;
    return -1;
}

// An answer of `size` bytes of XML-ish filler, with or without its length.
RawHttpServer::Answer sized(long long size, bool withLength) {
    return [size, withLength](RawHttpServer& server, int socket) {
        std::string head = "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nConnection: close\r\n";
        if (withLength)
            head += "Content-Length: " + std::to_string(size) + "\r\n";
        if (!server.send(socket, head + "\r\n"))
            return;
        const std::string chunk(256 * 1024, 'x');
        for (long long left = size; left > 0; left -= static_cast<long long>(chunk.size()))
            if (!server.send(socket, left >= static_cast<long long>(chunk.size())
                                         ? chunk
                                         : chunk.substr(0, static_cast<std::size_t>(left))))
                return;
    };
}

// Headers at once, then a byte a second, for ever.
void trickle(RawHttpServer& server, int socket) {
    if (!server.send(
            socket, "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nContent-Length: 100000\r\n\r\n<"))
        return;
    while (server.pause(1000) && server.send(socket, "x")) {
    }
}

// The other ways a server can send more than it says: through a redirect
// (in the redirect's own body or at the address it names), compressed, or
// in chunks without end.
RawHttpServer::Answer redirectedTo(RawHttpServer::Answer then) {
    auto first = std::make_shared<std::atomic<bool>>(true);
    return [first, then](RawHttpServer& server, int socket) {
        if (first->exchange(false))
            server.send(socket, "HTTP/1.1 302 Found\r\nLocation: /b\r\nContent-Length: "
                                "0\r\nConnection: close\r\n\r\n");
        else
            then(server, socket);
    };
}

void redirectWithHugeBody(RawHttpServer& server, int socket) {
    if (!server.send(socket, "HTTP/1.1 302 Found\r\nLocation: /b\r\nConnection: close\r\n\r\n"))
        return;
    const std::string chunk(256 * 1024, 'x');
    while (server.send(socket, chunk)) {
    }
}

// 128 MiB of blanks in a few hundred KiB.
const QByteArray& packedBlanks() {
    static const QByteArray packed = qCompress(QByteArray(128 * 1024 * 1024, ' '), 9).mid(4);
    return packed;
}

void compressedBomb(RawHttpServer& server, int socket) {
    const QByteArray& packed = packedBlanks();
    server.send(socket, "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nContent-Encoding: deflate\r\n"
                        "Content-Length: " +
                            std::to_string(packed.size()) + "\r\nConnection: close\r\n\r\n" +
                            packed.toStdString());
}

void endlessChunks(RawHttpServer& server, int socket) {
    if (!server.send(
            socket,
            "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nTransfer-Encoding: chunked\r\n\r\n"))
        return;
    const std::string chunk = "40000\r\n" + std::string(0x40000, 'x') + "\r\n";
    while (server.send(socket, chunk)) {
    }
}

std::optional<dv::HttpAnswer> fetchAnswer(dv::qt::QtHttpClient& client, const std::string& url,
                                          int waitMs) {
    std::optional<dv::HttpAnswer> answer;
    client.get(url, kLimit, [&answer](dv::HttpAnswer a) { answer = std::move(a); });
    if (!QTest::qWaitFor([&answer] { return answer.has_value(); }, waitMs))
        return std::nullopt;
    return answer;
}

std::optional<std::string> fetch(dv::qt::QtHttpClient& client, const std::string& url, int waitMs) {
    const auto answer = fetchAnswer(client, url, waitMs);
    if (!answer)
        return std::nullopt;
    return answer->body;
}

} // namespace

class HttpClientTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void answersUpToTheLimitArriveWholeLongerOnesFail() {
        struct Case {
            long long size;
            bool withLength;
            bool whole;
        };
        const Case cases[] = {
            {1000, true, true},
            {1000, false, true},
            {kLimitBytes, true, true},
            {kLimitBytes, false, true},
            {kLimitBytes + 1, true, false},
            {kLimitBytes + 1, false, false},
        };
        for (const Case& c : cases) {
            RawHttpServer server(sized(c.size, c.withLength));
            dv::qt::QtHttpClient client;
            const auto body = fetch(client, server.url() + "/dvcd/autoupdate.asp?discid=x", 20000);
            QVERIFY(body.has_value());
            QCOMPARE(static_cast<long long>(body->size()), c.whole ? c.size : 0LL);
        }
    }

    void aHugeAnswerIsCutOffEarly() {
        for (const bool withLength : {true, false}) {
            const long before = residentMiB();
            RawHttpServer server(sized(1500LL * 1000 * 1000, withLength));
            dv::qt::QtHttpClient client;
            QElapsedTimer clock;
            clock.start();
            const auto body = fetch(client, server.url() + "/", 20000);
            QVERIFY(body.has_value());
            QVERIFY(body->empty());
            // The server learns that nobody reads any more, long before 1.5 GB.
            QTRY_VERIFY_WITH_TIMEOUT(server.clientGone(), 10000);
            QVERIFY2(server.bytesSent() < 64LL * 1024 * 1024,
                     qPrintable(QStringLiteral("%1 bytes sent").arg(server.bytesSent())));
            QVERIFY2(residentMiB() - before < 64,
                     qPrintable(QStringLiteral("grew %1 MiB").arg(residentMiB() - before)));
        }
    }

    // An error page is the server's answer and comes as served, with its
    // status, which alone tells it from the document; a body that breaks off
    // before its end is no answer at all.
    void errorPagesComeWholeBrokenBodiesNot_data() {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        QTest::newRow("document") << QByteArray(
                                         "HTTP/1.1 200 OK\r\nContent-Length: 7\r\n\r\n<dvcd/>")
                                  << QByteArray("<dvcd/>") << 200;
        QTest::newRow("not found")
            << QByteArray("HTTP/1.1 404 Not Found\r\nContent-Length: 4\r\n\r\nnone")
            << QByteArray("none") << 404;
        QTest::newRow("server error")
            << QByteArray("HTTP/1.1 500 Oops\r\nContent-Length: 7\r\n\r\n<dvcd/>")
            << QByteArray("<dvcd/>") << 500;
        QTest::newRow("cloud store's refusal")
            << QByteArray("HTTP/1.1 403 Forbidden\r\nContent-Type: "
                          "application/xml\r\nContent-Length: 61\r\n\r\n"
                          "<?xml version=\"1.0\"?><Error><Code>AccessDenied</Code></Error>")
            << QByteArray("<?xml version=\"1.0\"?><Error><Code>AccessDenied</Code></Error>") << 403;
        QTest::newRow("cut short")
            << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n<half/>") << QByteArray()
            << 0;
        // A chunked body lost at a chunk's end is not here: Qt 6.4 now and
        // then takes the closed connection for the body's end and says
        // nothing, which no client of it can tell apart. Such a document
        // still fails to parse unless it is whole, and the service always
        // sends the length.
        QTest::newRow("redirect to a local file")
            << QByteArray("HTTP/1.1 302 Found\r\nLocation: file:///etc/hostname\r\nContent-Length: "
                          "0\r\n\r\n")
            << QByteArray() << 0;
        QTest::newRow("redirect to a data address")
            << QByteArray("HTTP/1.1 302 Found\r\nLocation: "
                          "data:text/xml,%3Cdvcd/%3E\r\nContent-Length: 0\r\n\r\n")
            << QByteArray() << 0;
    }

    void errorPagesComeWholeBrokenBodiesNot() {
        QFETCH(QByteArray, answer);
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        RawHttpServer server([answer](RawHttpServer& s, int socket) {
            s.send(socket, answer.toStdString());
            s.pause(300); // the loss comes after the bytes, as on a real network
        });
        dv::qt::QtHttpClient client;
        const auto got = fetchAnswer(client, server.url() + "/", 20000);
        QVERIFY(got.has_value());
        QCOMPARE(QByteArray::fromStdString(got->body), body);
        QCOMPARE(got->status, status);
    }

    // The engine does not follow a redirect before its body has ended: one
    // without end holds the request, idle, until the deadline.
    void noOtherRouteGetsPastTheLimit_data() {
        QTest::addColumn<int>("which");
        QTest::addColumn<int>("withinMs");
        QTest::newRow("redirect's own body") << 0 << 12000;
        QTest::newRow("redirected to a huge answer") << 1 << 8000;
        QTest::newRow("compressed") << 2 << 8000;
        QTest::newRow("endless chunks") << 3 << 8000;
    }

    void noOtherRouteGetsPastTheLimit() {
        QFETCH(int, which);
        QFETCH(int, withinMs);
        const RawHttpServer::Answer answers[] = {redirectWithHugeBody,
                                                 redirectedTo(sized(1500LL * 1000 * 1000, false)),
                                                 compressedBomb, endlessChunks};
        packedBlanks();
        const long before = residentMiB();
        RawHttpServer server(answers[which]);
        dv::qt::QtHttpClient client;
        client.setDeadline(std::chrono::milliseconds(10000));
        QElapsedTimer clock;
        clock.start();
        const auto body = fetch(client, server.url() + "/", 20000);
        QVERIFY(body.has_value());
        QVERIFY(body->empty());
        QVERIFY2(clock.elapsed() < withinMs, qPrintable(QString::number(clock.elapsed())));
        QVERIFY2(server.bytesSent() < 64LL * 1024 * 1024,
                 qPrintable(QStringLiteral("%1 bytes sent").arg(server.bytesSent())));
        QVERIFY2(residentMiB() - before < 64,
                 qPrintable(QStringLiteral("grew %1 MiB").arg(residentMiB() - before)));
    }

    void theDeadlineIsForTheWholeRequest() {
        RawHttpServer server(trickle);
        dv::qt::QtHttpClient client;
        client.setDeadline(std::chrono::milliseconds(2500));
        QElapsedTimer clock;
        clock.start();
        const auto body = fetch(client, server.url() + "/", 15000);
        QVERIFY(body.has_value());
        QVERIFY(body->empty());
        QVERIFY2(clock.elapsed() >= 2000 && clock.elapsed() < 6000,
                 qPrintable(QString::number(clock.elapsed())));
    }

    void theStatusLineTellsOfTheFailureWithinTheDeadline() {
        RawHttpServer server(trickle);
        qputenv("DATAVIND_UPDATE_URL", QByteArray::fromStdString(server.url()));
        dv::test::MainWindowUnderTest t;
        // The start page in first: its own status texts come before the check.
        QSignalSpy loaded(&t.form->browserHost(), &dv::qt::QtBrowserHost::pageLoaded);
        t.form->show();
        QVERIFY(loaded.wait(30000));
        t.form->updateChecker().httpClient().setDeadline(std::chrono::milliseconds(2500));
        QElapsedTimer clock;
        clock.start();
        t.form->updateChecker().DoAutoUpdate();
        QCOMPARE(t.form->statusText(),
                 QStringLiteral("Kontrollerar om det finns uppdateringar..."));
        QTRY_COMPARE_WITH_TIMEOUT(t.form->statusText(),
                                  QStringLiteral("Automatisk uppdatering misslyckades!"), 15000);
        QVERIFY2(clock.elapsed() < 6000, qPrintable(QString::number(clock.elapsed())));
        qunsetenv("DATAVIND_UPDATE_URL");
    }
};

DATAVIND_QTEST_MAIN(HttpClientTest)
#include "HttpClientTest.moc"
