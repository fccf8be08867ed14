#pragma once

#include <QStringList>

#include "cli/reportcommands.h"

// outlaysheet-cli export REPORT --format csv|pdf|package [--selected]
// [--folder] [--output PATH]: the report, or its selection, as a
// spreadsheet file, a printable PDF, or a reimbursement package (a ZIP file,
// or with --folder a folder, of both with the receipts), in the Exports
// folder unless PATH names a file or a folder. Prints the path written.
class ExportCommand {
public:
    static ReportCommands::Result Run(const QStringList& arguments);

    // Only this command draws text, which needs the GUI application; true
    // when the command line (without the program name) runs it.
    static bool IsCommandOf(const QStringList& arguments);
};
