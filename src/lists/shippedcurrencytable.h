#pragma once

#include <QString>

// Where the full currency list ships: "data/CurrencyTable.dat" under the
// shipped data folder (GetShippedDataFolder).
QString ShippedCurrencyTablePath(const QString& dataFolder);

struct CurrencyTableInstallResult {
    bool installed = false;  // the shipped table was copied into the data folder
    bool kept = false;       // the data folder already had a table
    QString failure;         // why neither happened
    bool Succeeded() const { return failure.isEmpty(); }
};

// The first-run step for the currency table: copies the shipped table into
// the data folder when that has none, and asks the next load to choose the
// home currency from the regional settings (the "Init Home Currency" value,
// as an installation sets it). A table the user has is never replaced. The
// copy is all or nothing; a failure is logged and returned.
CurrencyTableInstallResult InstallShippedCurrencyTable(const QString& dataFolder);
