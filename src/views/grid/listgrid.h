#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QElapsedTimer>
#include <QFont>
#include <QStringList>
#include <vector>

class QLabel;

// How one cell of a CListGrid is drawn.
struct GridCellFormat {
    enum Border { kLeft = 1, kTop = 2, kRight = 4, kBottom = 8, kAll = 15 };

    Qt::Alignment alignment = Qt::AlignHCenter | Qt::AlignVCenter;
    QFont font;
    QColor background;
    QColor text;
    int borders = kAll;
    // A check box with the value `checked`; a text beside it is drawn in
    // the rest of the cell (CheckBoxMarkRect).
    bool checkBox = false;
    bool checked = false;
    // What a screen reader says of the text beside a box ("2 receipts").
    QString markName;
};

// What a grid asks of its owner. Cells are asked for only when they are
// drawn, so the owner keeps no text of its own for rows nobody sees.
class CListGridClient {
public:
    virtual ~CListGridClient() = default;

    // A body cell's text and format; `format` starts as the grid's body format.
    virtual void GetCell(int column, int row, GridCellFormat& format, QString& text) = 0;
    // A heading's format; it starts as the grid's header format.
    virtual void GetHeaderCell(int column, int headerRow, GridCellFormat& format) {
        (void)column, (void)headerRow, (void)format;
    }
    // Pen down and pen up on a body cell; `cell` is the cell's rectangle and
    // `point` the pen's, both in the grid's viewport.
    virtual void OnCellTap(int column, int row, const QRect& cell, const QPoint& point,
                           bool penUp) {
        (void)column, (void)row, (void)cell, (void)point, (void)penUp;
    }
    // A heading tapped (pen down and up on it).
    virtual void OnHeaderTap(int column, int headerRow) { (void)column, (void)headerRow; }
    virtual void OnSelectionChange(int oldRow, int newRow) { (void)oldRow, (void)newRow; }
};

// A table of one or two header rows and any number of body rows, drawn from
// its owner's answers as it paints: no widget and no text per row is held,
// so a hundred thousand rows cost what ten do. The pen selects on pen-down
// and acts on pen-up over the same cell; the keyboard moves the selection
// (faster while a key is held); a flick scrolls on a touch screen.
class CListGrid : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit CListGrid(CListGridClient& client, QWidget* parent = nullptr);
    ~CListGrid() override;

    void SetColumnCount(int count);
    int ColumnCount() const { return static_cast<int>(widths_.size()); }
    void SetColumnWidth(int column, int width);
    int ColumnWidth(int column) const;
    void SetHeaderRows(int count, int height);
    int HeaderRowCount() const { return headerRows_; }
    void SetHeading(int column, int headerRow, const QString& text);
    QString Heading(int column, int headerRow) const;
    void SetBodyRowHeight(int height);
    int BodyRowHeight() const { return rowHeight_; }
    // Body rows that make up one item (1, or 2 for the detailed list).
    void SetRowsPerItem(int rows) { rowsPerItem_ = qMax(1, rows); }
    int RowsPerItem() const { return rowsPerItem_; }
    void SetRowCount(int rows);
    int RowCount() const { return rowCount_; }
    GridCellFormat& HeaderFormat() { return headerFormat_; }
    GridCellFormat& BodyFormat() { return bodyFormat_; }

    // The selected body row, -1 for none. Changing it tells the owner.
    int SelectedRow() const { return selected_; }
    void SetSelectedRow(int row);
    // Scrolls so that `row` is in view.
    void EnsureVisible(int row);
    int FirstVisibleRow() const;

    // One line of text in a small window under `cell` (viewport coordinates).
    void ShowTip(const QString& text, const QRect& cell);
    void HideTip();
    QLabel* Tip() const { return tip_; }

    // Rectangles in the viewport; empty outside the table.
    QRect CellRect(int column, int row) const;
    QRect HeaderCellRect(int column, int headerRow) const;
    // What the owner says of a cell, for a screen reader or a test.
    QString CellText(int column, int row) const;
    GridCellFormat CellFormat(int column, int row) const;
    GridCellFormat HeaderCellFormat(int column, int headerRow) const;
    int ScrollBarWidth() const;
    // Where a check-box cell draws its box, which is also where a tap hits
    // it: m = min(12, h - 6) square, from the cell's left + 2 to left + m + 6,
    // and from top + (h - m) / 2 - 1 down by m + 2.
    static QRect CheckBoxRect(const QRect& cell);
    // The rest of a check-box cell right of the box, where its text is
    // drawn, a few pixels clear of the box so that a tap beside the box
    // hits neither.
    static QRect CheckBoxMarkRect(const QRect& cell);
    // A tap on a cell (inside its check box, for a box) or on a heading, as
    // a keyboard or a screen reader asks for one.
    void ActivateCell(int column, int row);
    void ActivateHeading(int column, int headerRow);
    // Re-reads the sizes and repaints.
    void Reload();
    void RepaintRow(int row);

    QSize sizeHint() const override;

signals:
    // The viewport's size changed: owners fit their computed columns.
    void resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    struct Hit {
        bool header = false;
        int column = -1;
        int row = -1;  // body row, or header row
    };
    Hit HitAt(const QPoint& point) const;
    int HeaderHeight() const { return headerRows_ * headerHeight_; }
    int TableWidth() const;
    void UpdateScrollBars();
    void PaintCell(QPainter& painter, const QRect& rect, const GridCellFormat& format,
                   const QString& text, bool header) const;

    CListGridClient& client_;  // not owned: the owner outlives its grid
    std::vector<int> widths_;
    std::vector<QStringList> headings_;  // per header row
    int headerRows_ = 1;
    int headerHeight_ = 20;
    int rowHeight_ = 14;
    int rowsPerItem_ = 1;
    int rowCount_ = 0;
    int selected_ = -1;
    GridCellFormat headerFormat_;
    GridCellFormat bodyFormat_;
    Hit pressed_;
    QLabel* tip_;  // owned by the grid
    QElapsedTimer repeat_;
    int repeatCount_ = 0;
};
