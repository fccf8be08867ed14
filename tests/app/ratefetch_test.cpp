#include <gtest/gtest.h>

#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>

#include "app/ratefetch.h"
#include "lists/referencerates.h"

namespace {

QByteArray Sample() {
    QFile file(QStringLiteral(OUTLAYSHEET_RATES_SAMPLE));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

QByteArray Answer(const QByteArray& status, const QByteArray& type, const QByteArray& body) {
    return "HTTP/1.1 " + status + "\r\nContent-Type: " + type +
           "\r\nContent-Length: " + QByteArray::number(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
}

// A web server on the loopback address that answers every request with
// `answer`, or never answers when `answer` is empty.
class LocalServer {
public:
    explicit LocalServer(QByteArray answer) : answer_(std::move(answer)) {
        EXPECT_TRUE(server_.listen(QHostAddress::LocalHost));
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    if (socket->readAll().contains("\r\n\r\n") && !answer_.isEmpty()) {
                        socket->write(answer_);
                        socket->disconnectFromHost();
                    }
                });
            }
        });
    }
    QByteArray Address() const {
        return "http://127.0.0.1:" + QByteArray::number(server_.serverPort()) +
               "/stats/eurofxref/eurofxref-daily.xml";
    }

private:
    QByteArray answer_;
    QTcpServer server_;
};

// The fetch's address and time limit for one test.
class FetchScope {
public:
    FetchScope(const QByteArray& address, int timeoutMs) {
        qputenv("OUTLAYSHEET_RATES_URL", address);
        qputenv("OUTLAYSHEET_RATES_TIMEOUT", QByteArray::number(timeoutMs));
    }
    ~FetchScope() {
        qunsetenv("OUTLAYSHEET_RATES_URL");
        qunsetenv("OUTLAYSHEET_RATES_TIMEOUT");
    }
};

}  // namespace

TEST(RateFetch, TheBanksAddressUnlessTheTestGivesAnother) {
    EXPECT_EQ(CRateFetch::Address(),
              QStringLiteral("https://www.ecb.europa.eu/stats/eurofxref/eurofxref-daily.xml"));
    EXPECT_EQ(CRateFetch::TimeoutMs(), 20000);
}

TEST(RateFetch, TheDaysRatesAreFetchedFromTheServer) {
    LocalServer server(Answer("200 OK", "text/xml", Sample()));
    const FetchScope scope(server.Address(), 5000);
    CReferenceRates rates;
    QString problem;
    ASSERT_TRUE(CRateFetch::Read(QString(), rates, problem)) << problem.toStdString();
    EXPECT_EQ(rates.GetDate(), QDate(2026, 12, 4));
    ASSERT_EQ(rates.GetRates().size(), 30U);
    EXPECT_EQ(rates.GetRates()[0], std::make_pair(QStringLiteral("USD"), 1.1642));
}

// Every way the fetch can fail says why, and gives no rates.
TEST(RateFetch, AFailedFetchSaysWhy) {
    const QByteArray sample = Sample();
    const QByteArray html =
        "<!DOCTYPE html><html><body><h1>Service unavailable</h1></body></html>";
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const QByteArray refused =
        "http://127.0.0.1:" + QByteArray::number(closed.serverPort()) + "/eurofxref-daily.xml";
    closed.close();
    struct Case {
        const char* name;
        QByteArray answer;  // empty: the server never answers
        bool noServer;
        QString problem;  // how the message starts
    } cases[] = {
        {"no network", {}, true, "The rates could not be fetched from 127.0.0.1: "},
        {"no answer", {}, false, "127.0.0.1 did not answer within 0.2 seconds."},
        {"an error page", Answer("503 Service Unavailable", "text/html", html), false,
         "127.0.0.1 answered 503 Service Unavailable instead of the rates."},
        {"a web page", Answer("200 OK", "text/html", html), false,
         "The file declares a document type of its own"},
        {"a file cut short", Answer("200 OK", "text/xml", sample.left(sample.size() / 2)), false,
         "The file ends before its rates do."},
        {"too much", Answer("200 OK", "text/xml", QByteArray(200 * 1024, ' ')), false,
         "127.0.0.1 sent more than a file of rates holds"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LocalServer server(c.answer);
        const FetchScope scope(c.noServer ? refused : server.Address(), 200);
        CReferenceRates rates;
        QString problem;
        EXPECT_FALSE(CRateFetch::Read(QString(), rates, problem));
        EXPECT_TRUE(problem.startsWith(c.problem)) << problem.toStdString();
        EXPECT_TRUE(rates.GetRates().empty());
    }
}
