#pragma once

#include <QString>
#include <memory>

class CExpenseRecord;
class CExpenseReport;

// Whatever keeps something of its own beside a report file (the receipts)
// and must follow the report's expenses through loads, saves, edits and
// moves. An expense has no stored identity, so a follower learns here when
// the bytes that stand for each expense change. Every call has a default
// that does nothing.
class ReportListener {
public:
    virtual ~ReportListener() = default;

    // The report was read from `path`, before anything is written back.
    virtual void ReportLoaded(CExpenseReport& report, const QString& path);
    // Under the file's lock, once another writer's version has been merged
    // in and before the write: each record's stored digest still names its
    // bytes in the file on disk.
    virtual void ReportWriting(CExpenseReport& report, const QString& path);
    // Still under the lock, after the write to `path` succeeded: each
    // record's stored digest names its bytes in the new file.
    virtual void ReportWritten(CExpenseReport& report, const QString& path);
    // The report was closed; nothing of it is in memory any more.
    virtual void ReportClosed(CExpenseReport& report);
    // The closed report's file went from `from` to `to` (into the trash).
    virtual void ReportMoved(const QString& from, const QString& to);

    // The expense `oldId` was replaced by the edited `newId`.
    virtual void RecordReplaced(quint64 oldId, quint64 newId);
    // The expense `id` left the report for good.
    virtual void RecordRemoved(quint64 id);
    // `from`, an expense of this listener's report, was copied into
    // `target` as the expense `copyId`, before `target` is saved.
    virtual void RecordCopied(const CExpenseRecord& from, CExpenseReport& target, quint64 copyId);

    // A listener for another report this one's report opens to change it
    // (a list change applied to every report, expenses merged into another
    // report); none by default.
    virtual std::unique_ptr<ReportListener> FollowerFor(CExpenseReport& other);
};
