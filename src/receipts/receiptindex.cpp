#include "receipts/receiptindex.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>

#include "platform/filehelpers.h"

namespace {

// Larger than any index of real ties (a few hundred bytes per receipt): a
// file past it is not an index this program wrote.
constexpr qint64 kMaxIndexBytes = 16LL * 1024 * 1024;
constexpr int kIndexVersion = 1;

QString KindName(Receipt::Kind kind) {
    return kind == Receipt::Kind::Pdf ? QStringLiteral("pdf") : QStringLiteral("image");
}

// A stored file's name is a hash and an extension, never a path: an index
// edited by hand cannot make the program read or delete outside its folder.
bool IsStoredName(const QString& name) {
    static const QRegularExpression pattern(QStringLiteral("^[0-9a-f]{64}\\.(jpg|png|webp|pdf)$"));
    return pattern.match(name).hasMatch();
}

QJsonObject ToJson(const CReceiptIndex::Entry& entry, bool tied) {
    QJsonObject object;
    if (tied) {
        object.insert(QStringLiteral("digest"), QString::number(entry.digest, 16));
        object.insert(QStringLiteral("rank"), entry.rank);
    }
    object.insert(QStringLiteral("file"), entry.file);
    object.insert(QStringLiteral("originalName"), entry.originalName);
    object.insert(QStringLiteral("kind"), KindName(entry.kind));
    object.insert(QStringLiteral("added"), entry.added);
    return object;
}

bool FromJson(const QJsonValue& value, bool tied, CReceiptIndex::Entry& entry) {
    const QJsonObject object = value.toObject();
    entry.file = object.value(QStringLiteral("file")).toString();
    if (!IsStoredName(entry.file)) {
        return false;
    }
    entry.originalName = object.value(QStringLiteral("originalName")).toString();
    entry.kind = object.value(QStringLiteral("kind")).toString() == QStringLiteral("pdf")
                     ? Receipt::Kind::Pdf
                     : Receipt::Kind::Image;
    entry.added = static_cast<TimeStamp>(object.value(QStringLiteral("added")).toDouble());
    if (tied) {
        bool ok = false;
        entry.digest = object.value(QStringLiteral("digest")).toString().toULongLong(&ok, 16);
        entry.rank = object.value(QStringLiteral("rank")).toInt(-1);
        if (!ok || entry.rank < 0) {
            return false;
        }
    }
    return true;
}

}  // namespace

QString CReceiptIndex::FileName() {
    return QStringLiteral("receipts.json");
}

QByteArray CReceiptIndex::ToJson() const {
    QJsonArray tied;
    for (const Entry& entry : ties) {
        tied.append(::ToJson(entry, true));
    }
    QJsonArray loose;
    for (const Entry& entry : unmatched) {
        loose.append(::ToJson(entry, false));
    }
    QJsonObject root;
    root.insert(QStringLiteral("version"), kIndexVersion);
    root.insert(QStringLiteral("ties"), tied);
    root.insert(QStringLiteral("unmatched"), loose);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool CReceiptIndex::FromJson(const QByteArray& json, QString& error) {
    ties.clear();
    unmatched.clear();
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parse);
    if (!document.isObject()) {
        error = QStringLiteral("The receipts index is damaged (%1).").arg(parse.errorString());
        return false;
    }
    const QJsonObject root = document.object();
    if (root.value(QStringLiteral("version")).toInt() > kIndexVersion) {
        error = QStringLiteral("The receipts index was written by a newer version.");
        return false;
    }
    // An entry that names no stored file is dropped; the others still count.
    for (const QJsonValue& value : root.value(QStringLiteral("ties")).toArray()) {
        Entry entry;
        if (::FromJson(value, true, entry)) {
            ties.append(entry);
        }
    }
    for (const QJsonValue& value : root.value(QStringLiteral("unmatched")).toArray()) {
        Entry entry;
        if (::FromJson(value, false, entry)) {
            unmatched.append(entry);
        }
    }
    return true;
}

bool CReceiptIndex::Read(const QString& folder, QString& error) {
    return ReadFile(JoinPath(folder, FileName()), error);
}

bool CReceiptIndex::ReadFile(const QString& path, QString& error) {
    ties.clear();
    unmatched.clear();
    QFile file(path);
    if (!file.exists()) {
        return true;
    }
    if (file.size() > kMaxIndexBytes) {
        error = QStringLiteral("The receipts index %1 is larger than %2 MB.")
                    .arg(file.fileName())
                    .arg(kMaxIndexBytes / (1024 * 1024));
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("The receipts index %1 cannot be read: %2")
                    .arg(file.fileName(), file.errorString());
        return false;
    }
    return FromJson(file.readAll(), error);
}

bool CReceiptIndex::Write(const QString& folder, QString& error) const {
    const QString path = JoinPath(folder, FileName());
    if (IsEmpty()) {
        if (QFile::exists(path) && !QFile::remove(path)) {
            error = QStringLiteral("The receipts index %1 cannot be removed.").arg(path);
            return false;
        }
        return true;
    }
    if (!QDir().mkpath(folder)) {
        error = QStringLiteral("The receipts folder %1 cannot be made.").arg(folder);
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(ToJson()) < 0 || !file.commit()) {
        error = QStringLiteral("The receipts index %1 cannot be written: %2")
                    .arg(path, file.errorString());
        return false;
    }
    return true;
}

bool CReceiptIndex::References(const QString& name) const {
    for (const Entry& entry : ties) {
        if (entry.file == name) {
            return true;
        }
    }
    for (const Entry& entry : unmatched) {
        if (entry.file == name) {
            return true;
        }
    }
    return false;
}
