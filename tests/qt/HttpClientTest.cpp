// The update request's HTTP client against hostile servers on the loopback
// interface: one that sends far more than a document may hold, and one that
// sends a byte a second. Neither may keep the client reading, nor hold its
// answer in memory, nor keep "Kontrollerar..." on the status line.

#include "QtTestHelpers.h"
#include "RawHttpServer.h"
#include "update/QtHttpClient.h"
#include "update/UpdateChecker.h"

#include "browser/QtBrowserHost.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QFile>

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
    if (!server.send(socket, "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nContent-Length: 100000\r\n\r\n<"))
        return;
    while (server.pause(1000) && server.send(socket, "x")) {
    }
}

std::optional<std::string> fetch(dv::qt::QtHttpClient& client, const std::string& url, int waitMs) {
    std::optional<std::string> body;
    client.get(url, kLimit, [&body](const std::string& b) { body = b; });
    if (!QTest::qWaitFor([&body] { return body.has_value(); }, waitMs))
        return std::nullopt;
    return body;
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
            {1000, true, true},          {1000, false, true},
            {kLimitBytes, true, true},     {kLimitBytes, false, true},
            {kLimitBytes + 1, true, false}, {kLimitBytes + 1, false, false},
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
            QVERIFY2(residentMiB() - before < 64, qPrintable(QStringLiteral("grew %1 MiB").arg(residentMiB() - before)));
        }
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
        QVERIFY2(clock.elapsed() >= 2000 && clock.elapsed() < 6000, qPrintable(QString::number(clock.elapsed())));
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
        QCOMPARE(t.form->statusText(), QStringLiteral("Kontrollerar om det finns uppdateringar..."));
        QTRY_COMPARE_WITH_TIMEOUT(t.form->statusText(), QStringLiteral("Automatisk uppdatering misslyckades!"), 15000);
        QVERIFY2(clock.elapsed() < 6000, qPrintable(QString::number(clock.elapsed())));
        qunsetenv("DATAVIND_UPDATE_URL");
    }
};

DATAVIND_QTEST_MAIN(HttpClientTest)
#include "HttpClientTest.moc"
