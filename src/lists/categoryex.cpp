#include "lists/categoryex.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <initializer_list>

#include "archive/expensearchive.h"
#include "archive/fileerrors.h"
#include "archive/filetypes.h"
#include "archive/objectfile.h"
#include "lists/listfile.h"
#include "lists/unreadablefile.h"
#include "platform/directories.h"
#include "platform/filehelpers.h"

namespace {

// Far more history files than one category name ever gathers, and a bound
// on the search for a free one.
constexpr int kMaxHistoryNumber = 100000;

bool IsCategoryFileType(quint32 type) {
    return type == kFileTypeBuiltInCategory || type == kFileTypeUserCategory;
}

// The type code a file's header claims, whatever its version; 0 when it is
// not a regular file or too short to claim anything.
quint32 ClaimedFileType(const QString& path) {
    QFile file(path);
    quint32 type = 0;
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly) ||
        file.read(reinterpret_cast<char*>(&type), sizeof type) != sizeof type) {
        return 0;
    }
    return qFromLittleEndian(type);
}

// True when `path` holds one of the program's other data files (the
// payment sources of a category named "PaidWith", the history of "Food"
// under a category named "Food Desc"). A category never overwrites, moves
// or deletes those: that would destroy another list.
bool HoldsOtherDataFile(const QString& path, std::initializer_list<quint32> ownTypes) {
    const quint32 type = ClaimedFileType(path);
    if (type < kFileTypeCurrencyTable || type > kFileTypePreferences) {
        return false;
    }
    return std::find(ownTypes.begin(), ownTypes.end(), type) == ownTypes.end();
}

void ReportUnusableFile(const QString& path) {
    ReportFileError(path, CFileException(CFileException::kGeneric), true,
                    DefaultFileMessage::kInvalidFileName, true);
}

}  // namespace

CCategoryEx::CCategoryEx(const QString& name, qint32 index, qint32 group)
    : CCategory(name, index, group) {
    if (!name.isEmpty()) {
        descriptionHistory_ = CHistory(MakeHistoryFileName(name, false));
    }
}

CCategoryEx::CCategoryEx(const CCategoryEx& other) : CCategory(other) {
    accountNumber_ = other.accountNumber_;
    descriptionHistory_ = other.descriptionHistory_;
}

CCategoryEx& CCategoryEx::operator=(const CCategoryEx& other) {
    CCategory::operator=(other);
    accountNumber_ = other.accountNumber_;
    descriptionHistory_ = other.descriptionHistory_;
    return *this;
}

quint32 CCategoryEx::FileTypeOf(qint32 index) {
    return index == kUserDefinedIndex ? kFileTypeUserCategory : kFileTypeBuiltInCategory;
}

void CCategoryEx::ExchangeBody(CExpenseArchive& archive, int context, QString& accountNumber,
                               QString& historyFileName, CCategory& category) {
    archive.Exchange(accountNumber);
    archive.Exchange(historyFileName);
    // The tuple alone, whatever the object around it is.
    category.CCategory::Serialize(archive, context);
}

void CCategoryEx::Serialize(CExpenseArchive& archive, int context) {
    if (!IsPersistent()) {
        return;
    }
    const quint32 type = FileTypeOf(GetIndex());
    SerializeFileHeader(archive, type, CurrentFileVersion(type));
    QString historyName = descriptionHistory_.GetFilePath(false);
    ExchangeBody(archive, context, accountNumber_, historyName, *this);
    if (archive.IsStoring()) {
        return;
    }
    // The history is only ever looked for in the data folder, by its bare
    // file name: a name that could lead elsewhere (or name nothing) is
    // replaced by the usual one for the category.
    const QString historyPath = IsUsableName(historyName) ? DataFilePath(historyName)
                                                          : MakeHistoryFileName(GetName(), false);
    if (historyPath != descriptionHistory_.GetFilePath()) {
        descriptionHistory_ = CHistory(historyPath);
    }
}

void CCategoryEx::Reset() {
    CCategory::Reset();
    accountNumber_.clear();
    descriptionHistory_.Reset();
}

bool CCategoryEx::IsModified() const {
    return CCategory::IsModified() || descriptionHistory_.IsModified();
}

void CCategoryEx::SetAccountNumber(const QString& accountNumber) {
    accountNumber_ = accountNumber;
    CExpenseObject::SetModified(true);
}

bool CCategoryEx::IsUsableName(const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) {
        return false;
    }
    // The handheld's file system refuses these too, and the files travel
    // between the two.
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || QStringView(u"\\/:*?\"<>|").contains(c)) {
            return false;
        }
    }
    return true;
}

QString CCategoryEx::GetFilePath() const {
    return IsUsableName(GetName()) ? DataFilePath(GetName() + QStringLiteral(".dat")) : QString();
}

QString CCategoryEx::MakeHistoryFileName(const QString& name, bool unique) const {
    QString base = name.isEmpty() ? GetName() : name;
    if (base.isEmpty()) {
        base = QStringLiteral("TempCat");
    }
    if (!IsUsableName(base)) {
        return {};
    }
    const QString candidate = DataFilePath(base + QStringLiteral(" Desc.dat"));
    if (candidate.isEmpty() || !unique || !FileExists(candidate)) {
        return candidate;
    }
    for (int number = 1; number <= kMaxHistoryNumber; ++number) {
        // Joined rather than formatted: the name may hold "%" itself.
        const QString numbered =
            DataFilePath(base + QStringLiteral(" Desc") + QString::number(number) + ".dat");
        if (!FileExists(numbered)) {
            return numbered;
        }
    }
    return {};
}

bool CCategoryEx::Load(bool withHistory, bool reportErrors) {
    if (!IsPersistent()) {
        return false;
    }
    bool result = IsLoaded();
    const QString path = GetFilePath();
    // A missing or empty file is the normal state of a built-in category
    // the user never changed: the defaults stay, and nothing is reported.
    if (!result && !path.isEmpty() && QFileInfo(path).size() > 0) {
        // A built-in category's name may hold a user-defined category of the
        // same name (or the other way round), and any name another list's
        // file: those are read by whoever they belong to, not taken as
        // unreadable and moved aside.
        const quint32 claimed = ClaimedFileType(path);
        const bool otherCategory =
            IsCategoryFileType(claimed) && claimed != FileTypeOf(GetIndex());
        if (!otherCategory &&
            !HoldsOtherDataFile(path, {kFileTypeBuiltInCategory, kFileTypeUserCategory})) {
            result = LoadFromFile(path, reportErrors);
        }
    }
    if (withHistory) {
        result = LoadHistory(reportErrors) && result;
    }
    return result;
}

bool CCategoryEx::LoadFromFile(const QString& path, bool reportErrors) {
    // Read into a copy: a failed load resets what it read into, and a
    // built-in category must keep its name and picture whatever its file
    // holds.
    CCategoryEx read(*this);
    if (LoadObjectFromFile(path, &read, false, reportErrors, true)) {
        const QString historyBefore = descriptionHistory_.GetFilePath();
        *this = read;
        if (descriptionHistory_.GetFilePath() != historyBefore) {
            descriptionHistory_.SetLoaded(false);
        }
        CCategory::SetModified(false);
        SetLoaded(true);
        SetValid(true);
        return true;
    }
    // What could not be read is kept beside the file, and the category
    // written in its place; a file that cannot be kept is never overwritten
    // without asking.
    if (!KeepUnreadableFile(path)) {
        SetValid(false);
        return false;
    }
    SetValid(true);
    CExpenseObject::SetModified(true);
    return SaveOwnFile(reportErrors);
}

bool CCategoryEx::LoadHistory(bool reportErrors) {
    if (!IsPersistent()) {
        return false;
    }
    if (HoldsOtherDataFile(descriptionHistory_.GetFilePath(), {kFileTypeHistory})) {
        // Read as a history, another list's file would be found unreadable
        // and moved aside. The category takes a history of its own instead,
        // and records it with its next save.
        descriptionHistory_ = CHistory(MakeHistoryFileName(GetName(), true));
        CExpenseObject::SetModified(true);
    }
    return descriptionHistory_.Load(reportErrors);
}

bool CCategoryEx::Save(bool withHistory, bool reportErrors) {
    if (!IsPersistent()) {
        return false;
    }
    if (!IsModified()) {
        return true;
    }
    bool result = SaveOwnFile(reportErrors);
    if (withHistory) {
        result = descriptionHistory_.Save(false) && result;
    }
    return result;
}

bool CCategoryEx::SaveOwnFile(bool reportErrors) {
    const QString path = GetFilePath();
    if (path.isEmpty() ||
        HoldsOtherDataFile(path, {kFileTypeBuiltInCategory, kFileTypeUserCategory})) {
        if (reportErrors) {
            ReportUnusableFile(path.isEmpty() ? GetDataDirectory(true) + GetName() + ".dat"
                                              : path);
        }
        return false;
    }
    // Unasked, a file that failed to load and could not be kept aside stays.
    if (!IsValid() && !reportErrors) {
        return false;
    }
    if (!SaveObjectToFile(path, this, reportErrors)) {
        return false;
    }
    // The history has a file of its own and stays modified until it is saved.
    CCategory::SetModified(false);
    return true;
}

bool CCategoryEx::Rename(const QString& newName) {
    const QString oldPath = GetFilePath();
    if (!IsPersistent() || oldPath.isEmpty() || !IsUsableName(newName)) {
        return false;
    }
    const QString history = descriptionHistory_.GetFilePath();
    if (history.isEmpty() || !FileExists(history)) {
        descriptionHistory_.SetFilePath(MakeHistoryFileName(GetName(), true));
        descriptionHistory_.SetModified(true);
        descriptionHistory_.Save(false);
    } else if (MakeHistoryFileName(newName, false) != history) {
        const QString moved = MakeHistoryFileName(newName, true);
        if (!moved.isEmpty()) {
            QFile::rename(history, moved);
            descriptionHistory_.SetFilePath(moved);
            descriptionHistory_.SetModified(true);
        }
    }
    if (!FileExists(oldPath)) {
        return false;
    }
    SetName(newName);
    QFile::rename(oldPath, GetFilePath());
    return true;
}

bool CCategoryEx::DeleteFiles() {
    if (!IsPersistent()) {
        return false;
    }
    const QString path = GetFilePath();
    const QString history = descriptionHistory_.GetFilePath();
    const bool fileDeleted =
        !path.isEmpty() &&
        !HoldsOtherDataFile(path, {kFileTypeBuiltInCategory, kFileTypeUserCategory}) &&
        QFile::remove(path);
    const bool historyDeleted = !history.isEmpty() &&
                                !HoldsOtherDataFile(history, {kFileTypeHistory}) &&
                                QFile::remove(history);
    return fileDeleted && historyDeleted;
}
