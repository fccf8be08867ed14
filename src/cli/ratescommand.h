#pragma once

#include <QStringList>

#include "cli/reportcommands.h"

// outlaysheet-cli rates update: the day's reference rates, from a file or
// the bank, counted against the home currency and stored in the currency
// table with their day. Prints what changed and what was not taken.
class RatesCommand {
public:
    static ReportCommands::Result Run(const QStringList& arguments);
};
