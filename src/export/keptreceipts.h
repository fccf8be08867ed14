#pragma once

#include "export/receiptfile.h"

class CReceiptKeeper;

// The receipts kept beside a report, as an export asks for them.
namespace KeptReceipts {

// Answers for the expenses of the report `keeper` follows; `keeper` must
// outlive the export.
ReceiptSource Of(const CReceiptKeeper& keeper);

}  // namespace KeptReceipts
