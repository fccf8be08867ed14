#pragma once

#include <QWidget>

class CExpenseDoc;

// The detailed list: two rows for every visible expense. Until its grid is
// built it is an empty light-yellow page that the frame already shows,
// switches and refreshes.
class CGridViewDetails : public QWidget {
    Q_OBJECT

public:
    CGridViewDetails(CExpenseDoc& document, QWidget* parent);

    // Reads the records again into the grid.
    void ReloadDetails();

private:
    CExpenseDoc& document_;  // not owned
};
