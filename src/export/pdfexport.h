#pragma once

#include <QPageSize>
#include <QRectF>
#include <QString>

class CExportContent;
class CPdfLayout;
class CReceiptPages;
class QIODevice;
class QPainter;

// The printable form of an export: an expense report a manager signs, drawn
// with Qt's PDF writer in the Liberation fonts. The heading names the report,
// the traveller and the report's details; the expenses follow day by day,
// foreign amounts beside their home-currency value; then the subtotals by
// category, the totals and the signature lines. Where the receipts of the
// expenses are known, an appendix follows with a page for each receipt (each
// page of a scan), headed by its expense's line as the table shows it. Every
// page is numbered "Page N of M".
class CPdfExport {
public:
    CPdfExport(const CExportContent& content, QPageSize pageSize);

    // Writes the PDF to the open `device`; false with the reason in
    // `errorText` when the writer could not draw (no GUI application, a
    // device that refuses the bytes) or a receipt could not be read.
    bool Write(QIODevice& device, QString& errorText);
    // The pages the last Write drew.
    int GetPageCount() const { return pageCount_; }

    // Letter for the countries that use it (by the regional settings'
    // English country name), A4 everywhere else.
    static QPageSize::PageSizeId PageSizeForCountry(const QString& englishCountryName);
    // The page size of the current regional settings.
    static QPageSize::PageSizeId DefaultPageSize();

private:
    void PaintPage(QPainter& painter, const CPdfLayout& layout, int page) const;
    void PaintDay(QPainter& painter, const CPdfLayout& layout, const QRectF& area,
                  const QString& label, const QString& value) const;
    // The appendix's `index`th page; false with the reason when its receipt
    // could not be drawn.
    bool PaintReceipt(QPainter& painter, const CPdfLayout& layout, CReceiptPages& receipts,
                      size_t index, QString& errorText) const;
    void PaintHeading(QPainter& painter, const CPdfLayout& layout, double top) const;
    void PaintTableHead(QPainter& painter, const CPdfLayout& layout, double top) const;
    void PaintExpense(QPainter& painter, const CPdfLayout& layout, int block, double top) const;
    void PaintSignatures(QPainter& painter, const CPdfLayout& layout, double top) const;
    void PaintFooter(QPainter& painter, const CPdfLayout& layout, int page, int pages) const;

    const CExportContent& content_;
    QPageSize pageSize_;
    int pageCount_ = 0;
};
