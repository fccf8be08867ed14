#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <memory>
#include <vector>

#include "export/receiptfile.h"

class CExportContent;
class QPdfDocument;

// The pages a printable report's appendix gives its receipts: one for a
// picture, one for each page of a PDF scan, in the order of the exported
// expenses. Every receipt is checked before the first page is drawn, so that
// a receipt that cannot be read stops the export rather than leaving a
// report with a receipt missing.
class CReceiptPages {
public:
    struct Page {
        size_t expense = 0;  // the exported expense's place
        const ReceiptFile* receipt = nullptr;
        int number = 0;  // the receipt's place among all of them, from 1
        int page = 0;    // the page of a PDF scan, from 0
        int pages = 1;   // the pages of the receipt
    };

    CReceiptPages();
    ~CReceiptPages();

    // Checks every receipt of `content` and counts its pages; false with
    // the reason, naming the receipt and its expense, when one cannot be
    // read or is larger than a page can show.
    bool Load(const CExportContent& content, QString& error);
    const std::vector<Page>& Pages() const { return pages_; }
    int ReceiptCount() const { return receiptCount_; }

    // The page as a picture that fits `pixels` with its proportions kept,
    // on white; a null image with the reason when the file changed since
    // Load.
    QImage Render(const Page& page, QSize pixels, QString& error);

    // The most a picture may hold, and the most pages a scan may have.
    static constexpr qint64 kMostPixels = 100'000'000;
    static constexpr int kMostScanPages = 100;

private:
    // The reason `receipt` cannot be read, or its page count.
    QString Check(const ReceiptFile& receipt, int& pages);
    QPdfDocument* OpenScan(const QString& path, QString& error);

    const CExportContent* content_ = nullptr;
    std::vector<Page> pages_;
    int receiptCount_ = 0;
    // The scan rendered last: its pages follow one another.
    std::unique_ptr<QPdfDocument> scan_;
    QString scanPath_;
};
