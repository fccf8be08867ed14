#include "pdfexport.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>

#include "export/exportcontent.h"
#include "export/pdflayout.h"
#include "export/receiptpages.h"
#include "platform/platform.h"
#include "report/expenserecord.h"
#include "report/report.h"

namespace {

// The English country names the regional settings give for the places where
// Letter paper is the rule.
constexpr const char* kLetterCountries[] = {
    "United States", "Canada",    "Mexico",      "Philippines", "Chile",
    "Colombia",      "Venezuela", "Puerto Rico", "Costa Rica",  "Guatemala",
    "El Salvador",   "Nicaragua", "Panama",
};

constexpr double kMarginMillimetres = 15;
// Receipts are drawn at this resolution: sharp on paper, yet a page of a
// scan stays a few hundred kilobytes.
constexpr double kReceiptDotsPerInch = 200;
const QColor kCaptionColour(90, 90, 90);
const QColor kRuleColour(150, 150, 150);
const QColor kDayColour(232, 232, 232);

using Kind = CPdfLayout::Kind;

// Text cut to one line of `width`, with an ellipsis where it was cut.
QString OneLine(const QFont& font, QPaintDevice* device, const QString& text, double width) {
    QString line = text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return QFontMetricsF(font, device).elidedText(line, Qt::ElideRight, width);
}

void Rule(QPainter& painter, const CPdfLayout& layout, double left, double right, double y,
          double width = 0.5) {
    painter.save();
    painter.setPen(QPen(kRuleColour, layout.Pt(width)));
    painter.drawLine(QPointF(left, y), QPointF(right, y));
    painter.restore();
}

}  // namespace

CPdfExport::CPdfExport(const CExportContent& content, QPageSize pageSize)
    : content_(content), pageSize_(std::move(pageSize)) {}

QPageSize::PageSizeId CPdfExport::PageSizeForCountry(const QString& englishCountryName) {
    for (const char* country : kLetterCountries) {
        if (englishCountryName.compare(QLatin1String(country), Qt::CaseInsensitive) == 0) {
            return QPageSize::Letter;
        }
    }
    return QPageSize::A4;
}

QPageSize::PageSizeId CPdfExport::DefaultPageSize() {
    return PageSizeForCountry(Platform::Get().GetRegional().Text(LocaleItem::EnglishCountryName));
}

bool CPdfExport::Write(QIODevice& device, QString& errorText) {
    // Without the GUI application there is no font to measure or draw with,
    // and Qt would end the process rather than fail.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        errorText = QStringLiteral(
            "A PDF needs fonts, which only a graphical application (QGuiApplication) has.");
        return false;
    }
    QPdfWriter writer(&device);
    writer.setPageSize(pageSize_);
    writer.setPageMargins(
        QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
        QPageLayout::Millimeter);
    writer.setTitle(content_.GetTitle());
    writer.setCreator(QStringLiteral("Outlaysheet"));
    const QRectF page = writer.pageLayout().paintRectPixels(writer.resolution());
    // The page's own coordinates start at the margin.
    QRectF body(0, 0, page.width(), page.height());
    const double footer = writer.resolution() * 20 / 72.0;
    body.setBottom(body.bottom() - footer);
    const CPdfLayout layout(content_, writer, body);
    // Every receipt is checked before anything is drawn.
    CReceiptPages receipts;
    if (content_.KnowsReceipts() && !receipts.Load(content_, errorText)) {
        return false;
    }
    const int pages = layout.PageCount() + static_cast<int>(receipts.Pages().size());

    QPainter painter;
    if (!painter.begin(&writer)) {
        errorText = QStringLiteral("The PDF writer could not start.");
        return false;
    }
    for (int number = 0; number < pages; ++number) {
        if (number > 0 && !writer.newPage()) {
            errorText = QStringLiteral("The PDF writer could not start a new page.");
            painter.end();
            return false;
        }
        if (number < layout.PageCount()) {
            PaintPage(painter, layout, number);
        } else if (!PaintReceipt(painter, layout, receipts,
                                 static_cast<size_t>(number - layout.PageCount()), errorText)) {
            painter.end();
            return false;
        }
        PaintFooter(painter, layout, number, pages);
    }
    pageCount_ = pages;
    if (!painter.end()) {
        errorText = QStringLiteral("The PDF writer could not finish the file.");
        return false;
    }
    return true;
}

void CPdfExport::PaintPage(QPainter& painter, const CPdfLayout& layout, int page) const {
    const QRectF& body = layout.Body();
    const double padding = layout.CellPadding();
    for (const CPdfLayout::Placed& placed : layout.Pages()[page]) {
        if (placed.block < 0) {
            PaintTableHead(painter, layout, placed.top);
            continue;
        }
        const CPdfLayout::Block& block = layout.Blocks()[placed.block];
        const QRectF area(body.left(), placed.top, body.width(), block.height);
        // Sums line up under the table's amount column.
        const double valueLeft = layout.ColumnLeft(CPdfLayout::kEntered);
        const QRectF labelArea(layout.ColumnLeft(CPdfLayout::kPaidWith) + padding, placed.top,
                               valueLeft - layout.ColumnLeft(CPdfLayout::kPaidWith), block.height);
        const QRectF valueArea(valueLeft, placed.top, body.right() - valueLeft - padding,
                               block.height);
        switch (block.kind) {
            case Kind::kHeading:
                PaintHeading(painter, layout, placed.top);
                break;
            case Kind::kSection:
                painter.setFont(layout.sectionFont);
                painter.drawText(area, Qt::AlignLeft | Qt::AlignTop, block.label);
                Rule(painter, layout, body.left(), body.right(), area.bottom() - layout.Pt(1.5),
                     0.8);
                break;
            case Kind::kTableHead:
                PaintTableHead(painter, layout, placed.top);
                break;
            case Kind::kDay:
                PaintDay(
                    painter, layout, area,
                    placed.continued ? block.label + QStringLiteral(" (continued)") : block.label,
                    block.value);
                break;
            case Kind::kExpense:
                PaintExpense(painter, layout, placed.block, placed.top);
                break;
            case Kind::kNoExpenses:
            case Kind::kNote:
                painter.setFont(layout.textFont);
                painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, block.label);
                break;
            case Kind::kSubtotal:
            case Kind::kTotal:
                painter.setFont(block.bold ? layout.textBoldFont : layout.textFont);
                painter.drawText(labelArea, Qt::AlignLeft | Qt::AlignVCenter,
                                 OneLine(painter.font(), painter.device(), block.label,
                                         labelArea.width() - padding));
                painter.drawText(valueArea, Qt::AlignRight | Qt::AlignVCenter, block.value);
                if (block.ruledAbove) {
                    Rule(painter, layout, labelArea.left(), valueArea.right(), area.top());
                }
                break;
            case Kind::kSignatures:
                PaintSignatures(painter, layout, placed.top);
                break;
        }
    }
}

void CPdfExport::PaintDay(QPainter& painter, const CPdfLayout& layout, const QRectF& area,
                          const QString& label, const QString& value) const {
    const double padding = layout.CellPadding();
    painter.fillRect(area, kDayColour);
    painter.setFont(layout.tableBoldFont);
    painter.drawText(area.adjusted(padding, 0, -padding, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     label);
    painter.drawText(area.adjusted(padding, 0, -padding, 0), Qt::AlignRight | Qt::AlignVCenter,
                     value);
}

bool CPdfExport::PaintReceipt(QPainter& painter, const CPdfLayout& layout, CReceiptPages& receipts,
                              size_t index, QString& errorText) const {
    const CReceiptPages::Page& page = receipts.Pages()[index];
    const QRectF& body = layout.Body();
    QPaintDevice* device = painter.device();
    double y = body.top();
    QString title =
        QStringLiteral("Receipt %1 of %2").arg(page.number).arg(receipts.ReceiptCount());
    if (page.pages > 1) {
        title += QStringLiteral(", page %1 of %2").arg(page.page + 1).arg(page.pages);
    }
    const double titleHeight = QFontMetricsF(layout.sectionFont, device).lineSpacing();
    painter.setFont(layout.sectionFont);
    painter.drawText(QRectF(body.left(), y, body.width(), titleHeight),
                     Qt::AlignLeft | Qt::AlignTop, title);
    y += titleHeight + layout.Pt(4);
    Rule(painter, layout, body.left(), body.right(), y - layout.Pt(1.5), 0.8);

    // The expense's line as the table shows it, under its day.
    const int block = layout.ExpenseBlock(page.expense);
    const CExpenseRecord& record = *layout.Blocks()[block].record;
    const double bar =
        QFontMetricsF(layout.tableBoldFont, device).lineSpacing() + 2 * layout.CellPadding();
    const QString file =
        OneLine(layout.tableBoldFont, device, page.receipt->originalName, body.width() / 2);
    PaintDay(painter, layout, QRectF(body.left(), y, body.width(), bar),
             CPdfLayout::DayTitle(record), file);
    y += bar;
    PaintTableHead(painter, layout, y);
    y += bar;
    PaintExpense(painter, layout, block, y);
    y += layout.Blocks()[block].height + layout.Pt(10);

    const QRectF area(body.left(), y, body.width(), body.bottom() - y);
    const double dots = kReceiptDotsPerInch / layout.Pt(72);
    const QSize pixels(static_cast<int>(area.width() * dots),
                       static_cast<int>(area.height() * dots));
    const QImage image = receipts.Render(page, pixels, errorText);
    if (image.isNull()) {
        return false;
    }
    QSizeF shown = QSizeF(image.size()).scaled(area.size(), Qt::KeepAspectRatio);
    const QRectF target(area.left() + (area.width() - shown.width()) / 2, area.top(),
                        shown.width(), shown.height());
    painter.drawImage(target, image);
    painter.save();
    painter.setPen(QPen(kRuleColour, layout.Pt(0.5)));
    painter.drawRect(target);
    painter.restore();
    return true;
}

void CPdfExport::PaintHeading(QPainter& painter, const CPdfLayout& layout, double top) const {
    const QRectF& body = layout.Body();
    QPaintDevice* device = painter.device();
    double y = top;
    painter.setFont(layout.smallFont);
    painter.setPen(kCaptionColour);
    painter.drawText(QRectF(body.left(), y, body.width(), body.height()),
                     Qt::AlignLeft | Qt::AlignTop, QStringLiteral("EXPENSE REPORT"));
    y += QFontMetricsF(layout.smallFont, device).lineSpacing();
    painter.setPen(Qt::black);
    painter.setFont(layout.titleFont);
    painter.drawText(QRectF(body.left(), y, body.width(), body.height()),
                     Qt::AlignLeft | Qt::AlignTop,
                     OneLine(layout.titleFont, device, content_.GetTitle(), body.width()));
    y += QFontMetricsF(layout.titleFont, device).lineSpacing() + layout.Pt(8);

    // Two label and value pairs to a row.
    const double half = body.width() / 2;
    const double labelWidth = layout.Pt(60);
    const double line = QFontMetricsF(layout.textFont, device).lineSpacing() + layout.Pt(2);
    const auto details = layout.HeadingDetails();
    for (size_t i = 0; i < details.size(); ++i) {
        const double left = body.left() + (i % 2) * half;
        const double rowTop = y + (i / 2) * line;
        painter.setFont(layout.textBoldFont);
        painter.drawText(QRectF(left, rowTop, labelWidth, line), Qt::AlignLeft | Qt::AlignTop,
                         details[i].first);
        painter.setFont(layout.textFont);
        const double valueWidth = half - labelWidth - layout.Pt(8);
        painter.drawText(QRectF(left + labelWidth, rowTop, valueWidth, line),
                         Qt::AlignLeft | Qt::AlignTop,
                         OneLine(layout.textFont, device, details[i].second, valueWidth));
    }
}

void CPdfExport::PaintTableHead(QPainter& painter, const CPdfLayout& layout, double top) const {
    const QString code = content_.GetReport().GetCurrencyTable().GetHomeCode();
    const QString titles[CPdfLayout::kColumnCount] = {
        QStringLiteral("Category"),
        QStringLiteral("Description"),
        QStringLiteral("Paid With"),
        QStringLiteral("Type"),
        QStringLiteral("Receipt"),
        QStringLiteral("Entered"),
        code.isEmpty() ? QStringLiteral("Amount") : QStringLiteral("Amount (%1)").arg(code),
    };
    const double padding = layout.CellPadding();
    const double height =
        QFontMetricsF(layout.tableBoldFont, painter.device()).lineSpacing() + 2 * padding;
    painter.setFont(layout.tableBoldFont);
    for (int column = 0; column < CPdfLayout::kColumnCount; ++column) {
        const QRectF cell(layout.ColumnLeft(column) + padding, top,
                          layout.ColumnWidth(column) - 2 * padding, height);
        const bool money = column == CPdfLayout::kEntered || column == CPdfLayout::kAmount;
        painter.drawText(cell, (money ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                         titles[column]);
    }
    Rule(painter, layout, layout.Body().left(), layout.Body().right(), top + height, 0.8);
}

void CPdfExport::PaintExpense(QPainter& painter, const CPdfLayout& layout, int block,
                              double top) const {
    const CPdfLayout::Block& row = layout.Blocks()[block];
    const CExpenseRecord& record = *row.record;
    QPaintDevice* device = painter.device();
    const double padding = layout.CellPadding();
    const double line = QFontMetricsF(layout.tableFont, device).lineSpacing();
    const auto cell = [&](int column, int lines) {
        return QRectF(layout.ColumnLeft(column) + padding, top + padding,
                      layout.ColumnWidth(column) - 2 * padding, lines * line);
    };
    const auto single = [&](int column, const QString& text, Qt::Alignment alignment) {
        const QRectF area = cell(column, 1);
        painter.drawText(area, alignment | Qt::AlignTop,
                         OneLine(painter.font(), device, text, area.width()));
    };
    painter.setFont(layout.tableFont);
    single(CPdfLayout::kCategory, record.GetCategory().GetName(), Qt::AlignLeft);
    const int lines = static_cast<int>((row.height - 2 * padding) / line + 0.5);
    painter.drawText(cell(CPdfLayout::kDescription, lines),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     CPdfLayout::DescriptionText(record));
    single(CPdfLayout::kPaidWith, record.GetPaidWith().GetName(), Qt::AlignLeft);
    single(CPdfLayout::kType, record.GetExpenseType().GetShortName(), Qt::AlignLeft);
    single(CPdfLayout::kReceipt, layout.ReceiptText(row), Qt::AlignLeft);
    if (content_.IsForeign(record)) {
        single(CPdfLayout::kEntered, content_.FormatEntered(record), Qt::AlignRight);
        painter.setFont(layout.smallFont);
        painter.setPen(kCaptionColour);
        const QRectF rate = cell(CPdfLayout::kEntered, 2).adjusted(0, line, 0, 0);
        painter.drawText(rate, Qt::AlignRight | Qt::AlignTop,
                         OneLine(layout.smallFont, device,
                                 QStringLiteral("at %1").arg(CExportContent::PlainRate(
                                     record.GetExchangeRate().GetValue())),
                                 rate.width()));
        painter.setPen(Qt::black);
        painter.setFont(layout.tableFont);
    }
    single(CPdfLayout::kAmount, content_.FormatHome(record.GetAmount(true)), Qt::AlignRight);
    Rule(painter, layout, layout.Body().left(), layout.Body().right(), top + row.height, 0.3);
}

void CPdfExport::PaintSignatures(QPainter& painter, const CPdfLayout& layout, double top) const {
    const QRectF& body = layout.Body();
    const double caption = QFontMetricsF(layout.smallFont, painter.device()).lineSpacing();
    const double rowHeight = layout.Pt(30) + caption * 2;
    const double signatureWidth = body.width() * 0.58;
    const double dateLeft = body.left() + body.width() * 0.66;
    const QString traveller = content_.GetTraveller().GetName();
    const std::pair<QString, QString> rows[] = {
        {QStringLiteral("Employee signature"), traveller},
        {QStringLiteral("Approved by"), QString()},
    };
    painter.setFont(layout.smallFont);
    for (int i = 0; i < 2; ++i) {
        const double lineY = top + i * rowHeight + layout.Pt(30);
        painter.setPen(QPen(Qt::black, layout.Pt(0.6)));
        painter.drawLine(QPointF(body.left(), lineY),
                         QPointF(body.left() + signatureWidth, lineY));
        painter.drawLine(QPointF(dateLeft, lineY), QPointF(body.right(), lineY));
        painter.setPen(kCaptionColour);
        QString label = rows[i].first;
        if (!rows[i].second.isEmpty()) {
            label += QStringLiteral(": ") + rows[i].second;
        }
        painter.drawText(QRectF(body.left(), lineY + layout.Pt(2), signatureWidth, caption),
                         Qt::AlignLeft | Qt::AlignTop,
                         OneLine(layout.smallFont, painter.device(), label, signatureWidth));
        painter.drawText(QRectF(dateLeft, lineY + layout.Pt(2), body.right() - dateLeft, caption),
                         Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Date"));
    }
    painter.setPen(Qt::black);
}

void CPdfExport::PaintFooter(QPainter& painter, const CPdfLayout& layout, int page,
                             int pages) const {
    const QRectF& body = layout.Body();
    const double height = QFontMetricsF(layout.smallFont, painter.device()).lineSpacing();
    const QRectF area(body.left(), body.bottom() + layout.Pt(20) - height, body.width(), height);
    Rule(painter, layout, body.left(), body.right(), area.top() - layout.Pt(3));
    painter.setFont(layout.smallFont);
    painter.setPen(kCaptionColour);
    painter.drawText(
        area, Qt::AlignLeft | Qt::AlignBottom,
        OneLine(layout.smallFont, painter.device(), content_.GetTitle(), body.width() / 2));
    painter.drawText(area, Qt::AlignRight | Qt::AlignBottom,
                     QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages));
    painter.setPen(Qt::black);
}
