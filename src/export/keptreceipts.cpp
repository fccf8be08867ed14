#include "export/keptreceipts.h"

#include "receipts/receiptkeeper.h"
#include "report/expenserecord.h"

namespace KeptReceipts {

ReceiptSource Of(const CReceiptKeeper& keeper) {
    return [&keeper](const CExpenseRecord& expense) {
        std::vector<ReceiptFile> files;
        for (const Receipt& receipt : keeper.ReceiptsOf(expense.GetId())) {
            files.push_back(
                {receipt.path, receipt.originalName, receipt.kind == Receipt::Kind::Pdf});
        }
        return files;
    };
}

}  // namespace KeptReceipts
