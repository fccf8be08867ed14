#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>
#include <functional>
#include <vector>

class CExportContent;
class QIODevice;

// The reimbursement package: the printable report, the spreadsheet file and
// every receipt of the exported expenses, named after its expense and in the
// report's order, as one ZIP archive or as a folder. Either is made under a
// temporary name beside its place and takes its name only once whole.
class CPackageWriter {
public:
    enum class Form { kZip, kFolder };

    // The files of the package besides the receipts. The PDF, which holds
    // every receipt again, is drawn straight into its file rather than in
    // memory: `writePdf` draws it on the open device, false with the reason.
    struct ReportFiles {
        QString pdfName;
        std::function<bool(QIODevice& device, QString& error)> writePdf;
        QString csvName;
        QByteArray csv;
    };

    // Writes the package of `content`, whose receipts must be known, at
    // `path`: a ZIP file replaces one there; a folder must be new. False
    // with the reason for the user.
    static bool Write(const CExportContent& content, const ReportFiles& files, Form form,
                      const QString& path, QString& error);

    // The receipts' names in the package, in the order of the expenses and
    // their receipts: "2026-03-14 Lunch 12.50 USD.jpg", the expense's date,
    // category and amount as entered, with the extension the file was
    // attached with. A name already in `taken`, or given before, without
    // regard to case, is numbered: "... (2).jpg".
    static std::vector<QString> ReceiptNames(const CExportContent& content, QSet<QString> taken);

    // `text` fit to name a file on any system: no folder separators, no
    // characters that systems refuse, no control characters, no "..", no
    // dot or space at either end, and not too long; "_" stands in for what
    // is taken out, and an empty text becomes "_".
    static QString SafeFileName(const QString& text);
};
