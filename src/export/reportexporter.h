#pragma once

#include <QPageSize>
#include <QString>
#include <optional>

#include "export/receiptfile.h"

class CExpenseReport;
class CPersonalInfo;

// Hands a report in: writes the open report, or its selection, as a CSV
// file, a printable PDF, or a reimbursement package of both with the
// receipts (a ZIP file or a folder). A file goes to the Exports folder under
// the report's title ("Trip.csv", then "Trip (2).csv", ...) unless the
// caller names a file or a folder. Files are written whole or not at all: a
// failed export leaves no partial file and keeps any file it would have
// replaced.
class CReportExporter {
public:
    enum class Format { kCsv, kPdf, kPackage };

    struct Request {
        Format format = Format::kCsv;
        // Only the expenses of the selection in force (all without one).
        bool selectedOnly = false;
        // A file (replaced when it exists), a folder (a free name in it), or
        // empty for a free name in the Exports folder.
        QString outputPath;
        // The PDF's paper; the regional settings' by default.
        std::optional<QPageSize::PageSizeId> pageSize;
        // A package's receipts; without a source its expenses have none.
        // Only a package shows receipts: its PDF marks the expenses without
        // one and adds a page for each receipt.
        ReceiptSource receipts;
        // A package as a folder rather than a ZIP file.
        bool packageFolder = false;
    };

    struct Result {
        bool ok = false;
        // The file written, or, on failure, the reason for the user.
        QString path;
        QString error;
        // Expenses written, and the PDF's pages.
        int expenseCount = 0;
        int pageCount = 0;
        // The receipts a package holds.
        int receiptCount = 0;
    };

    // Writes `report`, which must be open. The traveller's name and company
    // come from the personal information file, read without changing it.
    static Result Export(const CExpenseReport& report, const Request& request);
    // The same with the traveller given.
    static Result Export(const CExpenseReport& report, const Request& request,
                         const CPersonalInfo& traveller);

    // "csv", "pdf" and "package", without regard to case.
    static std::optional<Format> FormatFromName(const QString& name);
    static QString FormatName(Format format);

    // `base` + extension in `folder`, or the first of "base (2)", "base (3)",
    // ... that no file takes; empty when every one up to a thousand is taken.
    static QString FreeFileName(const QString& folder, const QString& base,
                                const QString& extension);
};
