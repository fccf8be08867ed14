#pragma once

#include <QFont>
#include <QRectF>
#include <QString>
#include <array>
#include <vector>

class CExpenseRecord;
class CExportContent;
class QPaintDevice;

// Where everything of a printable report goes: the report is a column of
// blocks (the heading, the expense table day by day, the subtotals, the
// totals, the signatures), measured on the device it will be drawn on and
// cut into pages, so that the painter knows the page count before it draws
// the first page number. Lengths are in the device's units.
class CPdfLayout {
public:
    enum class Kind {
        kHeading,     // title, traveller and report details (first page)
        kSection,     // a section's title
        kTableHead,   // the expense table's column titles
        kDay,         // a day of the table, with its total
        kExpense,     // one expense row
        kNoExpenses,  // the table of a report without expenses
        kSubtotal,    // one category's sum
        kTotal,       // one of the totals
        kNote,        // a line of plain text
        kSignatures,  // the employee's and the approver's lines
    };

    struct Block {
        explicit Block(Kind blockKind) : kind(blockKind) {}

        Kind kind;
        double height = 0;
        QString label;
        QString value;
        const CExpenseRecord* record = nullptr;
        // The expense's place among the exported ones.
        size_t expense = 0;
        bool bold = false;
        bool ruledAbove = false;
        // Goes on the page of the block that follows it.
        bool keepWithNext = false;
        // Part of the expense table: a page it starts gets the column titles.
        bool inTable = false;
        // Extra space above the block.
        double spaceAbove = 0;
    };

    // A block on a page, at `top`; block -1 is the table's repeated head. A
    // day whose expenses run over onto the next page is placed there again,
    // as `continued`.
    struct Placed {
        int block;
        double top;
        bool continued = false;
    };

    enum Column { kCategory, kDescription, kPaidWith, kType, kReceipt, kEntered, kAmount };
    static constexpr int kColumnCount = kAmount + 1;

    // Measures the content with `device`'s fonts inside `body` (the page
    // area above the footer) and cuts it into pages.
    CPdfLayout(const CExportContent& content, QPaintDevice& device, const QRectF& body);

    const std::vector<Block>& Blocks() const { return blocks_; }
    const std::vector<std::vector<Placed>>& Pages() const { return pages_; }
    int PageCount() const { return static_cast<int>(pages_.size()); }
    const QRectF& Body() const { return body_; }

    // Points at the device's resolution.
    double Pt(double points) const { return points * dpi_ / 72.0; }
    // The left edge and width of a table column.
    double ColumnLeft(int column) const { return columnLeft_[column]; }
    double ColumnWidth(int column) const { return columnWidth_[column]; }
    // Padding inside a cell, horizontal and vertical.
    double CellPadding() const { return Pt(3); }
    // Lines a description may take before it is cut.
    static constexpr int kMaxDescriptionLines = 8;
    static constexpr int kMostDescriptionCharacters = 2000;

    // The fonts of the parts of the report.
    QFont tableFont;
    QFont tableBoldFont;
    QFont smallFont;
    QFont textFont;
    QFont textBoldFont;
    QFont sectionFont;
    QFont titleFont;

    // The text of an expense's description cell: the description (its
    // beginning, for a very long one), and the trip of a mileage expense.
    static QString DescriptionText(const CExpenseRecord& record);
    // The title of the day of the expense's date: "Saturday, 3/14/2026".
    static QString DayTitle(const CExpenseRecord& record);
    // The text of an expense's receipt cell: its receipt box, or where the
    // receipts themselves are known, whether any is attached.
    QString ReceiptText(const Block& row) const;
    // The block of the `expense`th exported expense's row.
    int ExpenseBlock(size_t expense) const { return expenseBlocks_[expense]; }

    // The heading's label and value pairs, two to a row.
    std::vector<std::pair<QString, QString>> HeadingDetails() const;

private:
    void AddHeading();
    void AddExpenseTable();
    void AddSubtotals();
    void AddTotals();
    void AddSignatures();
    void AddSection(const QString& title);
    void Add(Block block);
    void Paginate();
    double LineHeight(const QFont& font) const;

    const CExportContent& content_;
    QPaintDevice& device_;
    QRectF body_;
    double dpi_;
    std::array<double, kColumnCount> columnLeft_{};
    std::array<double, kColumnCount> columnWidth_{};
    std::vector<Block> blocks_;
    std::vector<int> expenseBlocks_;
    std::vector<std::vector<Placed>> pages_;
};
