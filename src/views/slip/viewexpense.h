#pragma once

#include <QWidget>

class CExpenseDoc;

// The main screen: the category buttons above the simple list of the
// report's expenses. Until its buttons and list are built it is an empty
// light-yellow page that the frame already shows, switches and refreshes.
class CViewExpense : public QWidget {
    Q_OBJECT

public:
    CViewExpense(CExpenseDoc& document, QWidget* parent);

    // Reads the records again into the simple list.
    void ReloadList();
    bool IsListVisible() const { return listVisible_; }
    // Shows the simple list and lays the buttons out around it.
    void ShowList();

private:
    CExpenseDoc& document_;  // not owned
    bool listVisible_ = true;
};
