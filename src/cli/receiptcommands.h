#pragma once

#include <QStringList>

#include "cli/reportcommands.h"

// The commands of outlaysheet-cli that list, attach and detach the receipts
// of a report's expenses. An expense is named by its INDEX: its place, from
// 0, in the list of records `dump` shows for the report file.
class ReceiptCommands {
public:
    using Result = ReportCommands::Result;

    static Result Receipts(const QStringList& arguments);
    static Result Attach(const QStringList& arguments);
    static Result Detach(const QStringList& arguments);
};
