#include "filedump.h"

#include <QFile>
#include <QtEndian>

#include "archive/expensearchive.h"
#include "archive/expenseobject.h"
#include "archive/fileerrors.h"
#include "archive/filetypes.h"
#include "archive/objectfile.h"
#include "cli/dumpers.h"
#include "cli/jsonstreamwriter.h"

namespace {

// Reads a file's header as the object of its type would, so that foreign,
// newer and truncated files get the same messages as in the program.
class HeaderReader : public CExpenseObject {
public:
    explicit HeaderReader(quint32 expectedType) : expectedType_(expectedType) {}

    void Serialize(CExpenseArchive& archive, int) override {
        SerializeFileHeader(archive, expectedType_, CurrentFileVersion(expectedType_));
        header_ = QJsonObject{{QStringLiteral("fileType"), qint64(archive.GetFileType())},
                              {QStringLiteral("fileVersion"), qint64(archive.GetFileVersion())}};
    }

    const QJsonObject& Header() const { return header_; }

private:
    quint32 expectedType_;
    QJsonObject header_;
};

// The type code a file claims, before anything checks it.
quint32 ClaimedType(const QString& path) {
    QFile file(path);
    quint32 type = 0;
    if (file.open(QIODevice::ReadOnly) && file.read(reinterpret_cast<char*>(&type), 4) == 4) {
        return qFromLittleEndian(type);
    }
    return 0;
}

bool IsProgramFileType(quint32 type) {
    return type >= kFileTypeCurrencyTable && type <= kFileTypePreferences &&
           type != kFileTypeReserved;
}

}  // namespace

bool DumpDataFile(const QString& path, JsonStreamWriter& writer) {
    const quint32 claimed = ClaimedType(path);
    // An unknown code is read against a code no file has, which makes it
    // "not an Outlaysheet file".
    HeaderReader reader(IsProgramFileType(claimed) ? claimed : 0xFFFFFFFFu);
    if (!LoadObjectFromFile(path, &reader, false, true, true)) {
        if (reader.IsValid()) {
            // Opened, but empty: there is no header to show.
            ReportFileError(path, CArchiveException(CArchiveException::kEndOfFile), false,
                            DefaultFileMessage::kFailedToOpen, true);
        }
        return false;
    }
    if (const StreamDumper* stream = FindStreamDumper(claimed)) {
        return (*stream)(path, reader.Header(), writer);
    }
    QJsonObject result = reader.Header();
    if (const Dumper* dumper = FindDumper(claimed)) {
        const auto contents = (*dumper)(path);
        if (!contents) {
            return false;
        }
        for (auto it = contents->begin(); it != contents->end(); ++it) {
            result.insert(it.key(), it.value());
        }
    }
    writer.Write(result);
    return writer.Flush();
}
