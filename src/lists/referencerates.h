#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <utility>
#include <vector>

// One day's reference rates as the European Central Bank publishes them:
// the units of about 30 currencies that one euro buys, in its daily XML
// file (a gesmes:Envelope whose Cube holds a Cube with the day's "time",
// and in it a Cube with "currency" and "rate" for each currency).
class CReferenceRates {
public:
    // No real file of the bank comes near this; a larger one is refused
    // unread.
    static constexpr qint64 kMaxFileSize = 64 * 1024;

    // Reads the file's bytes; false, with GetProblem saying why, for a file
    // that is too large, not well-formed, not the bank's rates, or holds a
    // rate that is no positive number within the bounds of a rate.
    bool Parse(const QByteArray& bytes);

    const QString& GetProblem() const { return problem_; }
    QDate GetDate() const { return date_; }
    // Currency codes with the units one euro buys, in file order.
    const std::vector<std::pair<QString, double>>& GetRates() const { return rates_; }

private:
    bool Fail(const QString& problem);

    QString problem_;
    QDate date_;
    std::vector<std::pair<QString, double>> rates_;
};
