#include "archive/filetypes.h"

#include <array>

#include "archive/expensearchive.h"
#include "archive/fileerrors.h"

quint32 CurrentFileVersion(quint32 typeCode) {
    static constexpr std::array<quint32, 11> kVersions = {0, 2, 1, 1, 1, 1, 2, 1, 1, 1, 1};
    return typeCode < kVersions.size() ? kVersions[typeCode] : 0;
}

void SerializeFileHeader(CExpenseArchive& archive, quint32 typeCode, quint32 currentVersion) {
    if (archive.IsStoring()) {
        archive.WriteUInt32(typeCode);
        archive.WriteUInt32(currentVersion);
        return;
    }
    const quint32 type = archive.ReadUInt32();
    const quint32 version = archive.ReadUInt32();
    archive.SetFileHeader(type, version);
    if (type != typeCode) {
        throw CArchiveException(CArchiveException::kBadIndex);
    }
    if (version > currentVersion) {
        throw CArchiveException(CArchiveException::kBadSchema);
    }
}
