#pragma once

#include <QByteArray>
#include <QString>

class CReferenceRates;

// Where the day's reference rates come from: a file the user chose, or the
// bank's published address over the network. The address and the time the
// fetch may take can be set from outside (OUTLAYSHEET_RATES_URL,
// OUTLAYSHEET_RATES_TIMEOUT in milliseconds), so that a test can serve the
// file itself.
class CRateFetch {
public:
    static constexpr char kAddress[] =
        "https://www.ecb.europa.eu/stats/eurofxref/eurofxref-daily.xml";
    static constexpr int kTimeoutMs = 20000;

    static QString Address();
    static int TimeoutMs();

    // Reads the rates of the file at `path`, or from the bank when `path` is
    // empty; false, with `problem` saying why, when there are none to take.
    static bool Read(const QString& path, CReferenceRates& rates, QString& problem);

private:
    // The bytes at the address; false, with `problem`, when the fetch failed,
    // took longer than the timeout, or brought more than a rates file holds.
    static bool Fetch(QByteArray& bytes, QString& problem);
};
