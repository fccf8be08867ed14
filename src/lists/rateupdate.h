#pragma once

#include <QDate>
#include <QStringList>
#include <vector>

#include "platform/clock.h"

class CCurrencyTable;
class CReferenceRates;

// The rates a day's reference rates give the currency table: each counted
// against the home currency, for every code the table knows. Nothing is
// guessed: a code the table does not know is listed, and a rate that would
// fall outside the bounds of a rate is left out and listed.
class CRateUpdate {
public:
    struct Change {
        QString code;
        QString name;       // the currency shown for the code
        double before = 0;  // 0 when the table keeps no rate for it
        double after = 0;
    };

    // Works out the rates; false, with GetProblem saying why, when the file
    // has no rate for the home currency to count the others against.
    bool Plan(const CCurrencyTable& table, const CReferenceRates& rates);
    // Stores the planned rates, stamped with the day of the file.
    void Apply(CCurrencyTable& table) const;

    const QString& GetProblem() const { return problem_; }
    QDate GetDate() const { return date_; }
    TimeStamp GetUpdated() const;
    // By the currency shown, in alphabetical order.
    const std::vector<Change>& GetChanges() const { return changes_; }
    // Codes of the file the table does not know.
    const QStringList& GetUnknown() const { return unknown_; }
    // Codes whose rate against the home currency would be out of bounds.
    const QStringList& GetRefused() const { return refused_; }

    // "+1.25%", "-0.40%", "new" for a code without a rate before.
    static QString ChangeText(const Change& change);

private:
    QString problem_;
    QDate date_;
    std::vector<Change> changes_;
    QStringList unknown_;
    QStringList refused_;
};
