#include "lists/expensetypemanager.h"

#include <array>

const CExpenseType* CExpenseTypeManager::Entry(int position) {
    // Built on first use and kept for the whole run; building it touches no
    // file, so it is safe at any time.
    static const std::array<CExpenseType, kCount> kTable = {
        CExpenseType(QStringLiteral("Business Reimbursable"), QStringLiteral("Business"),
                     QStringLiteral("ETREIMBURSABLEU.BMP"), CExpenseType::kBusinessReimbursable),
        CExpenseType(QStringLiteral("Personal Deductible"), QStringLiteral("Deductible"),
                     QStringLiteral("ETDEDUCTIBLEU.BMP"), CExpenseType::kPersonalDeductible),
        CExpenseType(QStringLiteral("Personal Non-Deductible"), QStringLiteral("Non-Deductible"),
                     QStringLiteral("ETNONDEDUCTIBLEU.BMP"), CExpenseType::kPersonalNonDeductible),
    };
    return position >= 0 && position < kCount ? &kTable[position] : nullptr;
}

CExpenseType CExpenseTypeManager::GetExpenseType(int position) {
    const CExpenseType* entry = Entry(position);
    return entry != nullptr ? *entry : CExpenseType();
}

QString CExpenseTypeManager::GetName(int position) {
    const CExpenseType* entry = Entry(position);
    return entry != nullptr ? entry->GetName() : QString();
}

QString CExpenseTypeManager::GetShortName(int position) {
    const CExpenseType* entry = Entry(position);
    return entry != nullptr ? entry->GetShortName() : QString();
}

QString CExpenseTypeManager::GetImage(int position) {
    const CExpenseType* entry = Entry(position);
    return entry != nullptr ? entry->GetImagePath() : QString();
}

qint32 CExpenseTypeManager::GetTypeCode(int position) {
    const CExpenseType* entry = Entry(position);
    return entry != nullptr ? entry->GetTypeCode() : CExpenseType::kNone;
}
