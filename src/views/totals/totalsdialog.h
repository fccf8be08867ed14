#pragma once

#include "views/widgets/fullwindowdialog.h"

class CExpenseDoc;
class CPageSubtotals;
class CPageTotals;

// The window of the Totals and Subtotals pages. It shows one page at a
// time; each page's bar has a button that swaps to the other, which takes
// the old page's place as a new page.
class CTotalsDialog : public FullWindowDialog {
    Q_OBJECT

public:
    enum class Page { Totals, Subtotals };

    CTotalsDialog(Page page, CExpenseDoc& document, QWidget* parent);

    void ShowPage(Page page);
    // The page shown, or none while the other one is.
    CPageTotals* TotalsPage() const { return totals_; }
    CPageSubtotals* SubtotalsPage() const { return subtotals_; }

    // Closing without "Done" leaves no selection behind either.
    void reject() override;

protected:
    void ApplyLayout(ScreenLayout layout) override;

private:
    // Ends the selection in force, as leaving the subtotals does.
    void ClearSelection();

    CExpenseDoc& document_;                // not owned
    CPageTotals* totals_ = nullptr;        // the page shown, or none
    CPageSubtotals* subtotals_ = nullptr;  // the page shown, or none
};
