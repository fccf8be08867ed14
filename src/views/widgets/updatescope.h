#pragma once

#include <QDialog>

class CExpenseDoc;
class QPushButton;

// The "Update..." question asked before a changed list item or rate is
// carried into stored expenses: all reports, this report or no reports.
// "All Reports" needs a second report file to mean more than this one, and
// "This Report" an expense in the open report; with neither, nothing is
// asked and the answer is "No Reports".
class UpdateScope : public QDialog {
    Q_OBJECT

public:
    enum Answer { kNoReports = 0, kAllReports = 1, kThisReport = 2 };

    static int Ask(QWidget* parent, CExpenseDoc& document, const QString& message);

    UpdateScope(const QString& message, bool allReports, bool thisReport, QWidget* parent);

    QPushButton* Button(Answer answer) const;

private:
    QPushButton* all_;   // owned by the dialog
    QPushButton* this_;  // owned by the dialog
    QPushButton* none_;  // owned by the dialog
};
