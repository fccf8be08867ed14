#pragma once

#include <QString>
#include <functional>
#include <vector>

class CExpenseRecord;

// A receipt as an export takes it: the file kept for it, the name it had
// when attached (whose extension a package keeps), and whether it is a PDF
// scan rather than a picture.
struct ReceiptFile {
    QString path;
    QString originalName;
    bool isPdf = false;
};

// The receipts of one expense, in the order they were attached. Whoever
// keeps receipts answers; an export asks once per expense it writes.
using ReceiptSource = std::function<std::vector<ReceiptFile>(const CExpenseRecord&)>;
