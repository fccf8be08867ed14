#pragma once

#include <QList>
#include <QWidget>

#include "platform/screen.h"

class CExpenseDoc;
class CommandBar;
class QGridLayout;
class QLabel;

// The Totals page: what the report spent, what the business paid (the cash
// advance and the business card), what was personal, and what the business
// owes the employee. Opening it brings the report's stored totals up to
// date with its expenses.
class CPageTotals : public QWidget {
    Q_OBJECT

public:
    CPageTotals(CExpenseDoc& document, QWidget* parent);

    void ApplyLayout(ScreenLayout layout);
    CommandBar* Commands() const { return commands_; }
    // The figure shown after `caption` ("Total Expenses:", "Deductible:",
    // ...); empty for a caption the page does not show.
    QString FigureText(const QString& caption) const;

signals:
    void doneChosen();
    void subtotalsChosen();

private:
    struct Row {
        QLabel* caption;
        QLabel* figure;
        bool heading;
    };
    void AddRow(const QString& caption, const QString& figure, bool heading);

    CExpenseDoc& document_;  // not owned
    QList<Row> rows_;
    QGridLayout* grid_;
    CommandBar* commands_;
};
