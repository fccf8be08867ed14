#include "app/ratefetch.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include "lists/referencerates.h"

namespace {

const char kAddressVariable[] = "OUTLAYSHEET_RATES_URL";
const char kTimeoutVariable[] = "OUTLAYSHEET_RATES_TIMEOUT";

}  // namespace

QString CRateFetch::Address() {
    const QString address = qEnvironmentVariable(kAddressVariable);
    return address.isEmpty() ? QString::fromLatin1(kAddress) : address;
}

int CRateFetch::TimeoutMs() {
    bool ok = false;
    const int timeout = qEnvironmentVariableIntValue(kTimeoutVariable, &ok);
    return ok && timeout > 0 ? timeout : kTimeoutMs;
}

bool CRateFetch::Read(const QString& path, CReferenceRates& rates, QString& problem) {
    QByteArray bytes;
    if (path.isEmpty()) {
        if (!Fetch(bytes, problem)) {
            return false;
        }
    } else {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            problem = QStringLiteral("%1 cannot be read: %2").arg(path, file.errorString());
            return false;
        }
        // One byte more than a rates file may hold tells a larger file.
        bytes = file.read(CReferenceRates::kMaxFileSize + 1);
    }
    if (!rates.Parse(bytes)) {
        problem = rates.GetProblem();
        return false;
    }
    return true;
}

bool CRateFetch::Fetch(QByteArray& bytes, QString& problem) {
    const QUrl address(Address());
    QNetworkAccessManager network;
    QNetworkRequest request(address);
    request.setTransferTimeout(TimeoutMs());
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = network.get(request);
    QEventLoop loop;
    bool tooLarge = false;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(reply, &QNetworkReply::downloadProgress, &loop, [&](qint64 received, qint64) {
        if (received > CReferenceRates::kMaxFileSize) {
            tooLarge = true;
            reply->abort();
        }
    });
    loop.exec();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QNetworkReply::NetworkError error = reply->error();
    const QString errorText = reply->errorString();
    if (!tooLarge && error == QNetworkReply::NoError) {
        bytes = reply->read(CReferenceRates::kMaxFileSize + 1);
    }
    reply->deleteLater();
    const QString host = address.host().isEmpty() ? address.toString() : address.host();
    if (tooLarge) {
        problem = QStringLiteral("%1 sent more than a file of rates holds; nothing was taken.")
                      .arg(host);
    } else if (error == QNetworkReply::OperationCanceledError ||
               error == QNetworkReply::TimeoutError) {
        problem = QStringLiteral("%1 did not answer within %2 seconds.")
                      .arg(host)
                      .arg(TimeoutMs() / 1000.0);
    } else if (status != 0 && status != 200) {
        problem =
            QStringLiteral("%1 answered %2 %3 instead of the rates.")
                .arg(host)
                .arg(status)
                .arg(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
    } else if (error != QNetworkReply::NoError) {
        problem =
            QStringLiteral("The rates could not be fetched from %1: %2").arg(host, errorText);
    } else {
        return true;
    }
    return false;
}
