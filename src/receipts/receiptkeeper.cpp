#include "receipts/receiptkeeper.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "platform/diagnosticslog.h"
#include "platform/filehelpers.h"
#include "platform/filelock.h"
#include "platform/platform.h"
#include "receipts/receiptfolders.h"
#include "report/expenserecord.h"
#include "report/report.h"

CReceiptKeeper::CReceiptKeeper(CExpenseReport& report)
    : report_(report), previous_(report.GetListener()) {
    report_.SetListener(this);
    if (report_.IsOpen()) {
        Load(report_.GetHeader().GetPath());
    }
}

CReceiptKeeper::~CReceiptKeeper() {
    if (report_.GetListener() == this) {
        report_.SetListener(previous_);
    }
}

QString CReceiptKeeper::Folder() const {
    return folder_;
}

CReceiptKeeper::Tie CReceiptKeeper::FromEntry(const CReceiptIndex::Entry& entry) {
    return Tie{entry.file, entry.originalName, entry.kind, entry.added};
}

CReceiptIndex::Entry CReceiptKeeper::ToEntry(const Tie& tie, const Key& key) {
    return CReceiptIndex::Entry{key.digest,       key.rank, tie.file,
                                tie.originalName, tie.kind, tie.added};
}

bool CReceiptKeeper::Holds(const QList<Tie>& ties, const QString& file) {
    return std::any_of(ties.begin(), ties.end(), [&](const Tie& tie) { return tie.file == file; });
}

Receipt CReceiptKeeper::ToReceipt(const Tie& tie) const {
    return Receipt{JoinPath(folder_, tie.file), tie.originalName, tie.kind, tie.added};
}

QList<CReceiptKeeper::Tie> CReceiptKeeper::TiesOf(quint64 expenseId) const {
    QList<Tie> ties;
    const QStringList removed = removed_.value(expenseId);
    for (const Tie& tie : stored_.value(expenseId)) {
        if (!removed.contains(tie.file)) {
            ties.append(tie);
        }
    }
    for (const Tie& tie : added_.value(expenseId)) {
        if (!Holds(ties, tie.file)) {
            ties.append(tie);
        }
    }
    return ties;
}

QList<Receipt> CReceiptKeeper::ReceiptsOf(quint64 expenseId) const {
    QList<Receipt> receipts;
    for (const Tie& tie : TiesOf(expenseId)) {
        receipts.append(ToReceipt(tie));
    }
    return receipts;
}

bool CReceiptKeeper::HasReceipts(quint64 expenseId) const {
    // Asked for every expense whenever the status is drawn: no lists made.
    const auto added = added_.constFind(expenseId);
    if (added != added_.constEnd() && !added->isEmpty()) {
        return true;
    }
    const auto stored = stored_.constFind(expenseId);
    if (stored == stored_.constEnd()) {
        return false;
    }
    const auto removed = removed_.constFind(expenseId);
    if (removed == removed_.constEnd()) {
        return !stored->isEmpty();
    }
    return std::any_of(stored->begin(), stored->end(),
                       [&](const Tie& tie) { return !removed->contains(tie.file); });
}

int CReceiptKeeper::CountWithoutReceipts(bool selected) const {
    return static_cast<int>(ExpensesWithoutReceipts(selected).size());
}

QList<quint64> CReceiptKeeper::ExpensesWithoutReceipts(bool selected) const {
    QList<quint64> without;
    const CExpenseRecords& records = report_.GetRecords();
    const int count = records.GetCount(selected);
    for (int i = 0; i < count; ++i) {
        const CExpenseRecord* record = records.GetAt(i, selected);
        if (record != nullptr && !HasReceipts(record->GetId())) {
            without.append(record->GetId());
        }
    }
    return without;
}

bool CReceiptKeeper::Store(const ReceiptImport::Imported& imported, Tie& tie, QString& error) {
    const QString name = imported.StoredName();
    const QString path = JoinPath(folder_, name);
    // Named by content: a file already there holds these very bytes.
    if (!QFile::exists(path)) {
        if (!QDir().mkpath(folder_)) {
            error = QStringLiteral("The receipts folder %1 cannot be made.").arg(folder_);
            return false;
        }
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(imported.bytes) < 0 || !file.commit()) {
            error = QStringLiteral("The receipt %1 cannot be stored: %2")
                        .arg(imported.originalName, file.errorString());
            return false;
        }
    }
    tie = Tie{name, imported.originalName, imported.kind, Platform::Get().GetClock().Now()};
    return true;
}

bool CReceiptKeeper::AddTies(quint64 expenseId, const QList<Tie>& ties, QString&) {
    for (const Tie& tie : ties) {
        QStringList& removed = removed_[expenseId];
        if (removed.removeAll(tie.file) > 0) {
            continue;  // attached again after it was taken off
        }
        if (!Holds(TiesOf(expenseId), tie.file)) {
            added_[expenseId].append(tie);
        }
    }
    return true;
}

bool CReceiptKeeper::Attach(quint64 expenseId, const QStringList& files,
                            const ImportOptions& options, QString& error) {
    error.clear();
    if (folder_.isEmpty()) {
        error = QStringLiteral("Open a report before attaching receipts.");
        return false;
    }
    // Every file is checked before any is stored: all or nothing.
    std::vector<ReceiptImport::Imported> imported(static_cast<size_t>(files.size()));
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (!ReceiptImport::FromFile(files[i], options, imported[static_cast<size_t>(i)], error)) {
            return false;
        }
    }
    QList<Tie> ties;
    QStringList created;
    for (const ReceiptImport::Imported& receipt : imported) {
        const bool existed = QFile::exists(JoinPath(folder_, receipt.StoredName()));
        Tie tie;
        if (!Store(receipt, tie, error)) {
            CReceiptIndex index;
            QString ignored;
            if (index.Read(folder_, ignored)) {
                RemoveUnreferenced(created, index);
            }
            return false;
        }
        if (!existed) {
            created.append(tie.file);
        }
        ties.append(tie);
    }
    return AddTies(expenseId, ties, error);
}

bool CReceiptKeeper::AttachImage(quint64 expenseId, const QImage& photo, QString& error) {
    return AttachImage(expenseId, photo, ImportOptions(), error);
}

bool CReceiptKeeper::AttachImage(quint64 expenseId, const QImage& photo,
                                 const ImportOptions& options, QString& error) {
    error.clear();
    if (folder_.isEmpty()) {
        error = QStringLiteral("Open a report before attaching receipts.");
        return false;
    }
    ReceiptImport::Imported imported;
    Tie tie;
    if (!ReceiptImport::FromImage(photo, options, imported, error) ||
        !Store(imported, tie, error)) {
        return false;
    }
    return AddTies(expenseId, {tie}, error);
}

bool CReceiptKeeper::Detach(quint64 expenseId, const QString& receiptPath, QString& error) {
    error.clear();
    const QString file = QFileInfo(receiptPath).fileName();
    QList<Tie>& added = added_[expenseId];
    const auto pending =
        std::find_if(added.begin(), added.end(), [&](const Tie& tie) { return tie.file == file; });
    if (pending != added.end()) {
        added.erase(pending);
        CReceiptIndex index;
        QString ignored;
        if (index.Read(folder_, ignored)) {
            RemoveUnreferenced({file}, index);
        }
        return true;
    }
    if (!Holds(TiesOf(expenseId), file)) {
        error = QStringLiteral("The receipt %1 is not attached to this expense.").arg(file);
        return false;
    }
    removed_[expenseId].append(file);
    return true;
}

void CReceiptKeeper::ForgetExpense(quint64 expenseId) {
    forgotten_.insert(expenseId);
}

void CReceiptKeeper::DiscardPending(quint64 expenseId) {
    QStringList candidates;
    for (const Tie& tie : added_.take(expenseId)) {
        candidates.append(tie.file);
    }
    removed_.remove(expenseId);
    for (auto claim = claimed_.begin(); claim != claimed_.end();) {
        claim = candidates.contains(*claim) ? claimed_.erase(claim) : std::next(claim);
    }
    CReceiptIndex index;
    QString ignored;
    if (!candidates.isEmpty() && index.Read(folder_, ignored)) {
        RemoveUnreferenced(candidates, index);
    }
}

QList<Receipt> CReceiptKeeper::Unmatched() const {
    QList<Receipt> receipts;
    for (const Tie& tie : unmatched_) {
        if (!claimed_.contains(tie.file)) {
            receipts.append(ToReceipt(tie));
        }
    }
    return receipts;
}

bool CReceiptKeeper::AttachUnmatched(const QString& receiptPath, quint64 expenseId,
                                     QString& error) {
    error.clear();
    const QString file = QFileInfo(receiptPath).fileName();
    for (const Tie& tie : unmatched_) {
        if (tie.file == file && !claimed_.contains(file)) {
            claimed_.insert(file);
            return AddTies(expenseId, {tie}, error);
        }
    }
    error = QStringLiteral("The receipt %1 is not among the unmatched receipts.").arg(file);
    return false;
}

bool CReceiptKeeper::RemoveUnmatched(const QString& receiptPath, QString& error) {
    error.clear();
    const QString file = QFileInfo(receiptPath).fileName();
    const FileLock lock(reportPath_);
    CReceiptIndex index;
    if (!index.Read(folder_, error)) {
        return false;
    }
    const auto sameFile = [&](const auto& entry) { return entry.file == file; };
    const qsizetype before = index.unmatched.size() + index.ties.size();
    index.unmatched.removeIf(sameFile);
    // A tie whose expense is gone is shown as unmatched too.
    QSet<quint64> present;
    for (auto id = keys_.cbegin(); id != keys_.cend(); ++id) {
        present.insert(id.value().digest);
    }
    index.ties.removeIf([&](const CReceiptIndex::Entry& entry) {
        return entry.file == file && !present.contains(entry.digest);
    });
    if (index.unmatched.size() + index.ties.size() == before) {
        error = QStringLiteral("The receipt %1 is not among the unmatched receipts.").arg(file);
        return false;
    }
    if (!index.Write(folder_, error)) {
        return false;
    }
    unmatched_.removeIf(sameFile);
    RemoveUnreferenced({file}, index);
    return true;
}

QHash<quint64, CReceiptKeeper::Key> CReceiptKeeper::KeysOfRecords() const {
    QHash<quint64, Key> keys;
    QHash<quint64, int> ranks;
    const CExpenseRecords& records = report_.GetRecords();
    keys.reserve(records.GetCount(false));
    ranks.reserve(records.GetCount(false));
    for (int i = 0; i < records.GetCount(false); ++i) {
        const CExpenseRecord* record = records.GetAt(i, false);
        if (record != nullptr && record->GetStoredDigest() != 0) {
            const quint64 digest = record->GetStoredDigest();
            keys.insert(record->GetId(), Key{digest, ranks[digest]++});
        }
    }
    return keys;
}

void CReceiptKeeper::Load(const QString& path) {
    reportPath_ = path;
    folder_ = ReceiptFolders::Of(path);
    stored_.clear();
    unmatched_.clear();
    added_.clear();
    removed_.clear();
    forgotten_.clear();
    claimed_.clear();
    keys_ = KeysOfRecords();
    CReceiptIndex index;
    QString error;
    if (!index.Read(folder_, error)) {
        Warn(error);
        return;
    }
    TakeIndex(index);
}

void CReceiptKeeper::TakeIndex(const CReceiptIndex& index) {
    // Most reports have no ties: a large one pays nothing here for them.
    QHash<Key, quint64> owners;
    if (!index.ties.isEmpty()) {
        owners.reserve(keys_.size());
    }
    for (auto key = keys_.cbegin(); key != keys_.cend() && !index.ties.isEmpty(); ++key) {
        owners.insert(key.value(), key.key());
    }
    stored_.clear();
    unmatched_.clear();
    for (const CReceiptIndex::Entry& entry : index.ties) {
        const auto owner = owners.constFind(Key{entry.digest, entry.rank});
        if (owner != owners.constEnd()) {
            stored_[owner.value()].append(FromEntry(entry));
        } else if (!Holds(unmatched_, entry.file)) {
            // Its expense was changed or deleted by a program that knows
            // nothing of receipts.
            unmatched_.append(FromEntry(entry));
        }
    }
    for (const CReceiptIndex::Entry& entry : index.unmatched) {
        if (!Holds(unmatched_, entry.file)) {
            unmatched_.append(FromEntry(entry));
        }
    }
}

bool CReceiptKeeper::Commit(QString& error) {
    error.clear();
    if (folder_.isEmpty()) {
        return true;
    }
    return WriteIndex(false, error);
}

bool CReceiptKeeper::WriteIndex(bool afterWrite, QString& error) {
    const FileLock lock(reportPath_);
    CReceiptIndex index;
    if (!index.Read(folder_, error)) {
        return false;
    }
    if (index.IsEmpty() && added_.isEmpty()) {
        // Nothing tied and nothing to tie, as for most reports: every save
        // of a large report should not pay for receipts it does not have.
        if (afterWrite) {
            keys_ = KeysOfRecords();
            stored_.clear();
            removed_.clear();
            forgotten_.clear();
        }
        unmatched_.clear();
        claimed_.clear();
        return true;
    }
    QHash<Key, QList<CReceiptIndex::Entry>> byKey;
    for (const CReceiptIndex::Entry& entry : index.ties) {
        byKey[Key{entry.digest, entry.rank}].append(entry);
    }
    // The expenses whose ties are settled now, in file order, with where
    // their ties stood and where they go.
    const CExpenseRecords& records = report_.GetRecords();
    const QHash<quint64, Key> newKeys = afterWrite ? KeysOfRecords() : keys_;
    QList<quint64> settled;
    for (int i = 0; i < records.GetCount(false); ++i) {
        const CExpenseRecord* record = records.GetAt(i, false);
        if (record == nullptr) {
            continue;
        }
        const quint64 id = record->GetId();
        // Without a write only an expense the file holds as it is has a
        // place there.
        if (afterWrite || (keys_.contains(id) && record->GetStoredDigest() != 0 &&
                           record->IsUnchangedSinceStored())) {
            settled.append(id);
        }
    }
    const QHash<quint64, Key>& oldKeys = afterWrite ? beforeWrite_ : keys_;
    CReceiptIndex out;
    QSet<Key> consumed;
    QStringList candidates;
    QHash<quint64, QList<Tie>> ties;
    for (quint64 id : settled) {
        QList<Tie> own;
        const auto old = oldKeys.constFind(id);
        if (old != oldKeys.constEnd() && !consumed.contains(old.value())) {
            consumed.insert(old.value());
            for (const CReceiptIndex::Entry& entry : byKey.value(old.value())) {
                if (!removed_.value(id).contains(entry.file) && !Holds(own, entry.file)) {
                    own.append(FromEntry(entry));
                }
            }
        }
        candidates += removed_.value(id);
        for (const Tie& tie : added_.value(id)) {
            if (!Holds(own, tie.file)) {
                own.append(tie);
            }
        }
        for (const Tie& tie : own) {
            out.ties.append(ToEntry(tie, newKeys.value(id)));
        }
        if (!own.isEmpty()) {
            ties.insert(id, own);
        }
    }
    QSet<Key> forgottenKeys;
    for (quint64 id : forgotten_) {
        if (keys_.contains(id)) {
            forgottenKeys.insert(keys_.value(id));
        }
    }
    QSet<QString> claimedNow;
    for (quint64 id : settled) {
        for (const Tie& tie : added_.value(id)) {
            if (claimed_.contains(tie.file)) {
                claimedNow.insert(tie.file);
            }
        }
    }
    const auto addUnmatched = [&](const CReceiptIndex::Entry& entry) {
        if (claimedNow.contains(entry.file)) {
            candidates.append(entry.file);
            return;
        }
        for (const CReceiptIndex::Entry& kept : out.unmatched) {
            if (kept.file == entry.file) {
                return;
            }
        }
        CReceiptIndex::Entry loose = entry;
        loose.digest = 0;
        loose.rank = 0;
        out.unmatched.append(loose);
    };
    for (auto group = byKey.cbegin(); group != byKey.cend(); ++group) {
        if (consumed.contains(group.key())) {
            continue;
        }
        for (const CReceiptIndex::Entry& entry : group.value()) {
            if (!afterWrite) {
                // Not settled: stays as it is until the report is written.
                out.ties.append(entry);
            } else if (forgottenKeys.contains(group.key())) {
                candidates.append(entry.file);
            } else {
                addUnmatched(entry);
            }
        }
    }
    for (const CReceiptIndex::Entry& entry : index.unmatched) {
        addUnmatched(entry);
    }
    if (!out.Write(folder_, error)) {
        return false;
    }

    // What the index now holds is what this keeper knows.
    for (quint64 id : settled) {
        if (ties.contains(id)) {
            stored_.insert(id, ties.value(id));
        } else {
            stored_.remove(id);
        }
        added_.remove(id);
        removed_.remove(id);
    }
    for (const QString& file : claimedNow) {
        claimed_.remove(file);
    }
    if (afterWrite) {
        for (auto id = stored_.begin(); id != stored_.end();) {
            id = newKeys.contains(id.key()) ? std::next(id) : stored_.erase(id);
        }
        // What was attached to expenses deleted before they were ever saved.
        for (quint64 id : std::as_const(forgotten_)) {
            for (const Tie& tie : added_.take(id)) {
                candidates.append(tie.file);
            }
            removed_.remove(id);
        }
        forgotten_.clear();
        keys_ = newKeys;
    }
    unmatched_.clear();
    for (const CReceiptIndex::Entry& entry : out.unmatched) {
        unmatched_.append(FromEntry(entry));
    }
    if (!afterWrite) {
        QHash<Key, quint64> owners;
        for (auto key = keys_.cbegin(); key != keys_.cend(); ++key) {
            owners.insert(key.value(), key.key());
        }
        for (const CReceiptIndex::Entry& entry : out.ties) {
            if (!owners.contains(Key{entry.digest, entry.rank}) &&
                !Holds(unmatched_, entry.file)) {
                unmatched_.append(FromEntry(entry));
            }
        }
    }
    RemoveUnreferenced(candidates, out);
    return true;
}

void CReceiptKeeper::RemoveUnreferenced(const QStringList& candidates,
                                        const CReceiptIndex& index) const {
    for (const QString& file : candidates) {
        if (index.References(file)) {
            continue;
        }
        const auto pending = [&](const QHash<quint64, QList<Tie>>& ties) {
            for (const QList<Tie>& list : ties) {
                if (Holds(list, file)) {
                    return true;
                }
            }
            return false;
        };
        if (pending(added_)) {
            continue;
        }
        QFile::remove(JoinPath(folder_, file));
    }
}

void CReceiptKeeper::Warn(const QString& error) const {
    LogMessage(error);
    Platform::Get().GetPrompts().Warning(error);
}

void CReceiptKeeper::ReportLoaded(CExpenseReport&, const QString& path) {
    Load(path);
}

void CReceiptKeeper::ReportWriting(CExpenseReport&, const QString& path) {
    // Where each expense's ties stand in the index of the file about to be
    // replaced: its key when it was read or last written, or, for one that
    // came in from another writer's version, its digest there.
    beforeWrite_.clear();
    // The folder the ties are in, or the one they were moved to with a
    // renamed report.
    const QString index = CReceiptIndex::FileName();
    if (!QFileInfo::exists(JoinPath(ReceiptFolders::Of(path), index)) &&
        (folder_.isEmpty() || !QFileInfo::exists(JoinPath(folder_, index)))) {
        return;  // no ties to carry over
    }
    QSet<Key> taken;
    const CExpenseRecords& records = report_.GetRecords();
    for (int i = 0; i < records.GetCount(false); ++i) {
        const CExpenseRecord* record = records.GetAt(i, false);
        if (record != nullptr && keys_.contains(record->GetId())) {
            beforeWrite_.insert(record->GetId(), keys_.value(record->GetId()));
            taken.insert(keys_.value(record->GetId()));
        }
    }
    for (int i = 0; i < records.GetCount(false); ++i) {
        const CExpenseRecord* record = records.GetAt(i, false);
        if (record == nullptr || keys_.contains(record->GetId()) ||
            record->GetStoredDigest() == 0 || !record->IsUnchangedSinceStored()) {
            continue;
        }
        Key key{record->GetStoredDigest(), 0};
        while (taken.contains(key)) {
            ++key.rank;
        }
        taken.insert(key);
        beforeWrite_.insert(record->GetId(), key);
    }
}

void CReceiptKeeper::ReportWritten(CExpenseReport&, const QString& path) {
    if (!reportPath_.isEmpty() && path != reportPath_) {
        // Written to another file (a copy beside one another program made
        // unreadable): the receipts go along.
        QString error;
        if (!ReceiptFolders::Copy(reportPath_, path, error)) {
            Warn(error);
        }
    }
    if (reportPath_.isEmpty()) {
        keys_.clear();
    }
    reportPath_ = path;
    folder_ = ReceiptFolders::Of(path);
    QString error;
    if (!WriteIndex(true, error)) {
        Warn(QStringLiteral("The receipts of %1 could not be updated: %2")
                 .arg(report_.GetHeader().GetTitle(), error));
    }
    beforeWrite_.clear();
}

void CReceiptKeeper::ReportClosed(CExpenseReport&) {
    // Files attached but never tied by a save go with the report.
    QStringList candidates;
    for (const QList<Tie>& ties : std::as_const(added_)) {
        for (const Tie& tie : ties) {
            candidates.append(tie.file);
        }
    }
    added_.clear();
    CReceiptIndex index;
    QString ignored;
    if (!candidates.isEmpty() && index.Read(folder_, ignored)) {
        RemoveUnreferenced(candidates, index);
    }
    reportPath_.clear();
    folder_.clear();
    stored_.clear();
    keys_.clear();
    unmatched_.clear();
    removed_.clear();
    forgotten_.clear();
    claimed_.clear();
}

void CReceiptKeeper::ReportMoved(const QString& from, const QString& to) {
    QString error;
    if (!ReceiptFolders::Move(from, to, error)) {
        Warn(error);
    }
}

void CReceiptKeeper::RecordReplaced(quint64 oldId, quint64 newId) {
    if (keys_.contains(oldId)) {
        keys_.insert(newId, keys_.take(oldId));
    }
    if (stored_.contains(oldId)) {
        stored_.insert(newId, stored_.take(oldId));
    }
    // What was attached while the slip edited either of them goes with it.
    QList<Tie> added = added_.take(oldId);
    for (const Tie& tie : added_.take(newId)) {
        if (!Holds(added, tie.file)) {
            added.append(tie);
        }
    }
    if (!added.isEmpty()) {
        added_.insert(newId, added);
    }
    QStringList removed = removed_.take(oldId) + removed_.take(newId);
    if (!removed.isEmpty()) {
        removed_.insert(newId, removed);
    }
}

void CReceiptKeeper::RecordRemoved(quint64 id) {
    ForgetExpense(id);
}

void CReceiptKeeper::RecordCopied(const CExpenseRecord& from, CExpenseReport& target,
                                  quint64 copyId) {
    auto* follower = dynamic_cast<CReceiptKeeper*>(target.GetListener());
    if (follower == nullptr || follower->folder_.isEmpty()) {
        return;
    }
    QList<Tie> copied;
    for (const Tie& tie : TiesOf(from.GetId())) {
        const QString to = JoinPath(follower->folder_, tie.file);
        if (!QFile::exists(to) &&
            (!QDir().mkpath(follower->folder_) || !QFile::copy(JoinPath(folder_, tie.file), to))) {
            Warn(QStringLiteral("The receipt %1 could not be copied to %2.")
                     .arg(tie.originalName, target.GetHeader().GetTitle()));
            continue;
        }
        copied.append(tie);
    }
    QString ignored;
    follower->AddTies(copyId, copied, ignored);
}

std::unique_ptr<ReportListener> CReceiptKeeper::FollowerFor(CExpenseReport& other) {
    return std::make_unique<CReceiptKeeper>(other);
}
