#pragma once

#include <QtGlobal>

class CExpenseArchive;

// The type codes of the data files; each file starts with its code and the
// version of its layout, both 32-bit little-endian.
enum FileTypeCode : quint32 {
    kFileTypeNone = 0,
    kFileTypeCurrencyTable = 1,
    kFileTypeBuiltInCategory = 2,
    kFileTypeUserCategory = 3,
    kFileTypeClassificationGroups = 4,
    kFileTypeHistory = 5,
    kFileTypeExpenseReport = 6,
    kFileTypeReserved = 7,
    kFileTypePaymentSources = 8,
    kFileTypePersonalInfo = 9,
    kFileTypePreferences = 10,
};

// The layout version this program writes for a type code; 0 for a code
// outside the table.
quint32 CurrentFileVersion(quint32 typeCode);

// Storing: writes the code and its current version. Loading: reads both into
// the archive; another code is bad-index, a newer version bad-schema, both
// before any field of the object is read.
void SerializeFileHeader(CExpenseArchive& archive, quint32 typeCode, quint32 currentVersion);
