#pragma once

#include <QWidget>

#include "views/widgets/taplabel.h"

// The bar above the command bar: the number of expenses at the left, how
// many have no receipt file beside it, and the report's total at the right.
// Tapping any of them sends a command.
class StatusBar : public QWidget {
    Q_OBJECT

public:
    explicit StatusBar(QWidget* parent = nullptr);

    TapLabel* ItemCount() const { return itemCount_; }
    TapLabel* Total() const { return total_; }
    TapLabel* WithoutReceipts() const { return withoutReceipts_; }

    // Black and normal, or red and bold for a selection.
    void SetItemCount(const QString& text, bool selection);
    // Red for a negative total. A text over 18 characters shows its first 15
    // and "...".
    void SetTotal(const QString& text, bool negative);
    // "N without receipts" ("1 without a receipt"), shown only while N is
    // above 0; shortened to "N no rcpt" when the bar is too narrow for the
    // whole text.
    void SetWithoutReceipts(int count);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    TapLabel* itemCount_;        // owned by the bar
    TapLabel* total_;            // owned by the bar
    TapLabel* withoutReceipts_;  // owned by the bar
    int without_ = 0;

    void ShowWithoutReceipts();
};
