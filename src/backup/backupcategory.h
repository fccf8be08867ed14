#pragma once

#include <QChar>
#include <QString>
#include <array>
#include <optional>

#include "platform/directories.h"

// The one-character code every archive entry carries as its comment, naming
// the folder the file came from and goes back to. An entry without a comment
// is code '0' and is never restored.
namespace BackupCategory {

inline constexpr QChar kNone = QLatin1Char('0');
inline constexpr QChar kReport = QLatin1Char('1');
inline constexpr QChar kDataFile = QLatin1Char('2');
// The receipts of the chosen reports: each report's index as "TITLE.json"
// and the stored files under their content names. Readers that predate
// receipts skip the code.
inline constexpr QChar kReceipts = QLatin1Char('9');

// The picture folders with their codes, in the order their pictures are
// written into an archive.
struct ImageCategory {
    QChar code;
    ImageFolder folder;
};
inline constexpr std::array<ImageCategory, 5> kImageCategories = {{
    {QLatin1Char('4'), ImageFolder::Class},
    {QLatin1Char('5'), ImageFolder::Category},
    {QLatin1Char('6'), ImageFolder::PaidWith},
    {QLatin1Char('7'), ImageFolder::Other},
    {QLatin1Char('8'), ImageFolder::ExpenseType},
}};

// The picture folder of a code, when it is one of the picture codes.
std::optional<ImageFolder> ImageFolderOf(QChar code);

// The code an entry's comment gives: its first character, '0' when empty.
QChar FromComment(const QString& comment);

}  // namespace BackupCategory

// What a backup or restore covers (the "FileTypesFlag" of an archive).
enum BackupSelection : quint32 {
    kBackupReports = 1,
    kBackupDataFiles = 2,
    kBackupImages = 8,
    kBackupReceipts = 16,
};
