#pragma once

#include <QComboBox>

class CPreferences;

// The subtotals' "Date Range:" box: one item, "All Dates" or the stored
// From and To dates. A tap drops no list; it asks for the "Date Range"
// dialog with tapped.
class CDateRangeBox : public QComboBox {
    Q_OBJECT

public:
    explicit CDateRangeBox(QWidget* parent = nullptr);

    // The one item for the range stored in `preferences`, selected.
    void Refill(const CPreferences& preferences);
    // The item's text for a range.
    static QString RangeText(const CPreferences& preferences);

    void showPopup() override;

signals:
    void tapped();
};
