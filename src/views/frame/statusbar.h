#pragma once

#include <QWidget>

#include "views/widgets/taplabel.h"

// The bar above the command bar: the number of expenses at the left and the
// report's total at the right. Tapping either sends a command.
class StatusBar : public QWidget {
    Q_OBJECT

public:
    explicit StatusBar(QWidget* parent = nullptr);

    TapLabel* ItemCount() const { return itemCount_; }
    TapLabel* Total() const { return total_; }

    // Black and normal, or red and bold for a selection.
    void SetItemCount(const QString& text, bool selection);
    // Red for a negative total. A text over 18 characters shows its first 15
    // and "...".
    void SetTotal(const QString& text, bool negative);

private:
    TapLabel* itemCount_;  // owned by the bar
    TapLabel* total_;      // owned by the bar
};
