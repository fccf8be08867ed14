#include "pdflayout.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QMap>
#include <QPaintDevice>
#include <algorithm>
#include <cmath>
#include <numeric>

#include "export/exportcontent.h"
#include "export/exportfonts.h"
#include "platform/dateformatting.h"
#include "platform/platform.h"
#include "report/expenserecord.h"
#include "report/report.h"

namespace {

// Shares of the body's width, in column order; they add up to 100.
constexpr std::array<double, CPdfLayout::kColumnCount> kColumnShares = {14, 29, 12, 12, 8, 12, 13};

QString StatusText(const CExpenseReportInfo& header) {
    if (header.IsReimbursed()) {
        return QStringLiteral("Reimbursed");
    }
    return header.IsSubmitted() ? QStringLiteral("Submitted") : QStringLiteral("Not submitted");
}

}  // namespace

CPdfLayout::CPdfLayout(const CExportContent& content, QPaintDevice& device, const QRectF& body)
    : content_(content), device_(device), body_(body), dpi_(device.logicalDpiY()) {
    tableFont = ExportFont(8);
    tableBoldFont = ExportFont(8, true);
    smallFont = ExportFont(7);
    textFont = ExportFont(9.5);
    textBoldFont = ExportFont(9.5, true);
    sectionFont = ExportFont(11.5, true);
    titleFont = ExportFont(20, true);
    double left = body_.left();
    for (int column = 0; column < kColumnCount; ++column) {
        columnLeft_[column] = left;
        columnWidth_[column] = body_.width() * kColumnShares[column] / 100.0;
        left += columnWidth_[column];
    }
    AddHeading();
    AddExpenseTable();
    AddSubtotals();
    AddTotals();
    AddSignatures();
    Paginate();
}

double CPdfLayout::LineHeight(const QFont& font) const {
    return QFontMetricsF(font, &device_).lineSpacing();
}

QString CPdfLayout::DayTitle(const CExpenseRecord& record) {
    const QDate day = CExportContent::LocalDay(record);
    const QString name = Platform::Get().GetRegional().Text(DayNameItem(day.dayOfWeek(), false),
                                                            QLocale::c().dayName(day.dayOfWeek()));
    return QStringLiteral("%1, %2").arg(name, FormatDate(record.GetDate(), 0));
}

QString CPdfLayout::ReceiptText(const Block& row) const {
    return content_.ReceiptText(row.expense, QString());
}

QString CPdfLayout::DescriptionText(const CExpenseRecord& record) {
    // Far more than the cell's lines hold; measuring a text of any length a
    // file may carry would only cost time.
    QString text = record.GetDescription().left(kMostDescriptionCharacters);
    if (record.IsMileage()) {
        if (!text.isEmpty()) {
            text += QLatin1Char('\n');
        }
        text += QStringLiteral("Odometer %1 to %2 (%3) at %4")
                    .arg(record.GetOdometerStartText(), record.GetOdometerEndText(),
                         record.GetDistanceText(),
                         CExportContent::PlainRate(record.GetMileageRate().GetValue()));
    }
    return text;
}

std::vector<std::pair<QString, QString>> CPdfLayout::HeadingDetails() const {
    const CExpenseReportInfo& header = content_.GetReport().GetHeader();
    const std::vector<const CExpenseRecord*>& expenses = content_.GetExpenses();
    QString dates = QStringLiteral("None");
    if (!expenses.empty()) {
        const auto [first, last] =
            std::minmax_element(expenses.begin(), expenses.end(),
                                [](const CExpenseRecord* a, const CExpenseRecord* b) {
                                    return a->GetDate() < b->GetDate();
                                });
        const QString from = FormatDate((*first)->GetDate(), 0);
        const QString to = FormatDate((*last)->GetDate(), 0);
        dates = from == to ? from : QStringLiteral("%1 \u2013 %2").arg(from, to);
    }
    const int all = content_.GetReport().GetRecords().GetCount(false);
    const QString count = content_.IsSelection()
                              ? QStringLiteral("%1 selected of %2").arg(expenses.size()).arg(all)
                              : QString::number(expenses.size());
    return {
        {QStringLiteral("Name"), content_.GetTraveller().GetName()},
        {QStringLiteral("Company"), content_.GetTraveller().GetCompany()},
        {QStringLiteral("Location"), header.GetLocation()},
        {QStringLiteral("Purpose"), header.GetPurpose()},
        {QStringLiteral("Dates"), dates},
        {QStringLiteral("Status"), StatusText(header)},
        {QStringLiteral("Expenses"), count},
        {QStringLiteral("Currency"), content_.GetReport().GetCurrencyTable().GetHomeCurrency()},
    };
}

void CPdfLayout::AddHeading() {
    const double rows = std::ceil(HeadingDetails().size() / 2.0);
    Block heading(Kind::kHeading);
    heading.height = LineHeight(smallFont) + LineHeight(titleFont) + Pt(8) +
                     rows * (LineHeight(textFont) + Pt(2));
    Add(heading);
}

void CPdfLayout::AddExpenseTable() {
    AddSection(QStringLiteral("Expenses"));
    const std::vector<const CExpenseRecord*>& expenses = content_.GetExpenses();
    if (expenses.empty()) {
        Block none(Kind::kNoExpenses);
        none.label = QStringLiteral("No expenses.");
        none.height = LineHeight(textFont);
        Add(none);
        return;
    }
    Block head(Kind::kTableHead);
    head.height = LineHeight(tableBoldFont) + 2 * CellPadding();
    head.keepWithNext = true;
    Add(head);

    // Day by day, each day's expenses in the report's own order.
    std::vector<size_t> byDate(expenses.size());
    std::iota(byDate.begin(), byDate.end(), size_t{0});
    std::stable_sort(byDate.begin(), byDate.end(), [&expenses](size_t a, size_t b) {
        return CExportContent::LocalDay(*expenses[a]) < CExportContent::LocalDay(*expenses[b]);
    });
    expenseBlocks_.assign(expenses.size(), -1);
    const QFontMetricsF metrics(tableFont, &device_);
    const double line = metrics.lineSpacing();
    const double textWidth = ColumnWidth(kDescription) - 2 * CellPadding();
    for (size_t start = 0; start < byDate.size();) {
        const QDate day = CExportContent::LocalDay(*expenses[byDate[start]]);
        size_t end = start;
        Amount dayTotal;
        while (end < byDate.size() && CExportContent::LocalDay(*expenses[byDate[end]]) == day) {
            dayTotal.Add(expenses[byDate[end]]->GetAmount(true));
            ++end;
        }
        Block dayBlock(Kind::kDay);
        dayBlock.label = DayTitle(*expenses[byDate[start]]);
        dayBlock.value = content_.FormatHome(dayTotal);
        dayBlock.height = LineHeight(tableBoldFont) + 2 * CellPadding();
        dayBlock.keepWithNext = true;
        dayBlock.inTable = true;
        Add(dayBlock);
        for (size_t i = start; i < end; ++i) {
            const CExpenseRecord& record = *expenses[byDate[i]];
            const QString description = DescriptionText(record);
            int lines = 1;
            if (!description.isEmpty()) {
                const QRectF bounds = metrics.boundingRect(QRectF(0, 0, textWidth, 1e9),
                                                           Qt::TextWordWrap, description);
                lines = std::clamp(static_cast<int>(std::lround(bounds.height() / line)), 1,
                                   kMaxDescriptionLines);
            }
            // A foreign amount shows its rate on a second line.
            if (content_.IsForeign(record)) {
                lines = std::max(lines, 2);
            }
            Block row(Kind::kExpense);
            row.record = &record;
            row.expense = byDate[i];
            expenseBlocks_[byDate[i]] = static_cast<int>(blocks_.size());
            row.height = lines * line + 2 * CellPadding();
            row.inTable = true;
            Add(row);
        }
        start = end;
    }
}

void CPdfLayout::AddSubtotals() {
    struct Sum {
        QString name;
        int count = 0;
        Amount amount;
    };
    // By name without regard to case, as the program compares category names.
    QMap<QString, Sum> sums;
    for (const CExpenseRecord* record : content_.GetExpenses()) {
        const QString name = record->GetCategory().GetName();
        Sum& sum = sums[name.toUpper()];
        if (sum.count == 0) {
            sum.name = name;
        }
        ++sum.count;
        sum.amount.Add(record->GetAmount(true));
    }
    if (sums.isEmpty()) {
        return;
    }
    AddSection(QStringLiteral("Subtotals by Category"));
    for (const Sum& sum : sums) {
        Block row(Kind::kSubtotal);
        row.label = QStringLiteral("%1 (%2)").arg(sum.name).arg(sum.count);
        row.value = content_.FormatHome(sum.amount);
        row.height = LineHeight(textFont) + Pt(2);
        Add(row);
    }
}

void CPdfLayout::AddTotals() {
    const CExpenseTotals& totals = content_.GetTotals();
    const Amount& advance = content_.GetReport().GetHeader().GetCashAdvance();
    AddSection(QStringLiteral("Totals"));
    const std::pair<const char*, const Amount*> figures[] = {
        {"Total Expenses", &totals.GetTotal()},
        {"Reimbursable", &totals.GetReimbursable()},
        {"Deductible", &totals.GetDeductible()},
        {"Non-Deductible", &totals.GetNonDeductible()},
        {"Business Paid", &totals.GetBusinessPaid()},
        {"Cash Advanced", &advance},
        {"Reimbursement Due", &totals.GetReimbursementDue()},
    };
    for (const auto& [label, amount] : figures) {
        Block row(Kind::kTotal);
        row.label = QString::fromLatin1(label);
        row.value = content_.FormatHome(*amount);
        row.bold = amount == &advance || amount == &totals.GetReimbursementDue();
        // What is owed stands under a line, as the sum of what comes before.
        row.ruledAbove = amount == &totals.GetReimbursementDue();
        row.height = LineHeight(row.bold ? textBoldFont : textFont) + Pt(3);
        // The totals are read as one table.
        row.keepWithNext = true;
        Add(row);
    }
    const std::vector<const CExpenseRecord*>& expenses = content_.GetExpenses();
    Block note(Kind::kNote);
    if (content_.KnowsReceipts()) {
        size_t attached = 0;
        for (size_t i = 0; i < expenses.size(); ++i) {
            attached += content_.ReceiptsOf(i).empty() ? 0 : 1;
        }
        note.label = QStringLiteral("Receipts attached: %1 of %2 expenses, %3 missing")
                         .arg(attached)
                         .arg(expenses.size())
                         .arg(expenses.size() - attached);
    } else {
        const auto receipts =
            std::count_if(expenses.begin(), expenses.end(),
                          [](const CExpenseRecord* r) { return r->GetReceipt(); });
        note.label =
            QStringLiteral("Receipts: %1 of %2 expenses").arg(receipts).arg(expenses.size());
    }
    note.height = LineHeight(textFont);
    note.spaceAbove = Pt(6);
    Add(note);
}

void CPdfLayout::AddSignatures() {
    Block signatures(Kind::kSignatures);
    // Two rows, each room to sign above a line and a caption under it.
    signatures.height = 2 * (Pt(30) + LineHeight(smallFont) * 2);
    signatures.spaceAbove = Pt(24);
    Add(signatures);
}

void CPdfLayout::AddSection(const QString& title) {
    Block section(Kind::kSection);
    section.label = title;
    section.height = LineHeight(sectionFont) + Pt(4);
    section.spaceAbove = Pt(16);
    section.keepWithNext = true;
    Add(section);
}

void CPdfLayout::Add(Block block) {
    blocks_.push_back(std::move(block));
}

void CPdfLayout::Paginate() {
    const double tableHead = LineHeight(tableBoldFont) + 2 * CellPadding();
    pages_.emplace_back();
    double y = body_.top();
    bool fresh = true;  // nothing placed yet but repeated headings
    int day = -1;       // the day the table is at
    for (size_t i = 0; i < blocks_.size(); ++i) {
        const Block& block = blocks_[i];
        if (block.kind == Kind::kDay) {
            day = static_cast<int>(i);
        }
        // A run of blocks kept with their next one moves as a whole.
        double needed = (fresh ? 0 : block.spaceAbove) + block.height;
        for (size_t j = i; blocks_[j].keepWithNext && j + 1 < blocks_.size(); ++j) {
            needed += blocks_[j + 1].spaceAbove + blocks_[j + 1].height;
        }
        if (!fresh && y + needed > body_.bottom()) {
            pages_.emplace_back();
            y = body_.top();
            fresh = true;
            if (block.inTable) {
                pages_.back().push_back({-1, y});
                y += tableHead;
            }
            if (block.kind == Kind::kExpense && day >= 0) {
                pages_.back().push_back({day, y, true});
                y += blocks_[day].height;
            }
        }
        if (!fresh) {
            y += block.spaceAbove;
        }
        pages_.back().push_back({static_cast<int>(i), y});
        y += block.height;
        fresh = false;
    }
}
