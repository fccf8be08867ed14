#include "lists/history.h"

#include <algorithm>

#include "archive/expensearchive.h"
#include "archive/filetypes.h"
#include "lists/listfile.h"

CHistory::CHistory(const QString& filePath) : filePath_(filePath) {}

CHistory::CHistory(const CHistory& other) : CExpenseObject() {
    *this = other;
}

CHistory& CHistory::operator=(const CHistory& other) {
    // A copy takes the texts and their state of change, not the file's story
    // (valid, loaded): a copy reads its file again when asked to load.
    items_ = other.items_;
    filePath_ = other.filePath_;
    SetModified(other.IsModified());
    return *this;
}

void CHistory::Serialize(CExpenseArchive& archive, int) {
    SerializeFileHeader(archive, kFileTypeHistory, CurrentFileVersion(kFileTypeHistory));
    if (archive.IsStoring()) {
        archive.WriteStringArray(items_);
    } else {
        items_ = archive.ReadStringArray();
    }
}

void CHistory::Reset() {
    CExpenseObject::Reset();
    items_.clear();
}

QString CHistory::GetAt(int index) const {
    return index >= 0 && index < items_.size() ? items_[index] : QString();
}

int CHistory::Find(const QString& text) const {
    return static_cast<int>(items_.indexOf(text));
}

bool CHistory::Add(const QString& text) {
    items_.append(text);
    Sort();
    return true;
}

bool CHistory::InsertAt(int index, const QString& text) {
    if (index < 0) {
        return false;
    }
    if (index >= items_.size()) {
        return Add(text);
    }
    items_.insert(index, text);
    Sort();
    return true;
}

bool CHistory::SetAt(int index, const QString& text) {
    if (index < 0 || index >= items_.size()) {
        return false;
    }
    items_[index] = text;
    Sort();
    return true;
}

bool CHistory::RemoveAt(int index) {
    if (index < 0 || index >= items_.size()) {
        return false;
    }
    items_.removeAt(index);
    SetModified(true);
    return true;
}

void CHistory::RemoveAll() {
    // Emptying a list is a change to save like any other.
    if (!items_.isEmpty()) {
        items_.clear();
        SetModified(true);
    }
}

void CHistory::Sort() {
    // Qt's case-insensitive comparison folds case code point by code point,
    // without the locale, so the order is the same on every machine; the
    // stable sort keeps texts that differ only in case in a fixed order.
    std::stable_sort(items_.begin(), items_.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    SetModified(true);
}

QString CHistory::GetFilePath(bool withDirectory) const {
    if (withDirectory) {
        return filePath_;
    }
    const qsizetype cut = std::max(filePath_.lastIndexOf(QLatin1Char('/')),
                                   filePath_.lastIndexOf(QLatin1Char('\\')));
    return filePath_.mid(cut + 1);
}

void CHistory::SetFilePath(const QString& path) {
    if (!path.isEmpty()) {
        filePath_ = path;
    }
}

bool CHistory::Load(bool reportErrors) {
    return LoadListFile(
        *this, filePath_, reportErrors, [] { return true; }, [this] { Reset(); });
}

bool CHistory::Save(bool reportErrors) {
    return SaveListFile(*this, filePath_, reportErrors);
}
