#pragma once

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class QSaveFile;
struct zip;
struct zip_file;

// One ZIP archive, with exactly the operations backup and restore need: make
// a new archive, open one, set the archive and entry comments, add a file
// under its bare name (deflated at zlib's default level, stored when shorter
// than 5 bytes), list entries, extract one into a folder, and close. Names
// and comments are the device's single-byte code page. Several entries may
// carry the same name (pictures from different folders); they are told apart
// by index and comment. Every failure throws ZipError; the archive is then
// best closed with Discard.
class ZipArchive {
public:
    ZipArchive();
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // A new, empty archive; an existing file there is replaced when the
    // archive is closed, and left alone when it is discarded. A symbolic
    // link stays: the file it leads to is replaced.
    void Create(const QString& path);
    // An existing archive, read-only; a damaged one is refused here, and so
    // are one whose entries share their data, one whose directories
    // disagree, and any ZIP64 archive.
    void Open(const QString& path);
    bool IsOpen() const { return archive_ != nullptr; }

    void SetComment(const QString& comment);
    // Adds the file at `path` under its file name, even when an entry already
    // has that name; returns the entry's index. The file is read when the
    // archive is closed.
    qint64 AddFile(const QString& path);
    // Adds the file at `path` under `name`, flagged as UTF-8 as archives made
    // for other people's programs are: the name must be a plain file name no
    // entry has yet. A file compressed already (a photo, a PDF) is best
    // stored without `deflate`: deflating it again costs time and saves
    // nothing. Returns the entry's index.
    qint64 AddFileAs(const QString& path, const QString& name, bool deflate = true);
    void SetEntryComment(qint64 index, const QString& comment);

    qint64 Count() const;
    QString Name(qint64 index) const;
    QString Comment(qint64 index) const;
    // A folder entry rather than a file.
    bool IsFolder(qint64 index) const;

    // How an entry is kept, as its directory record declares it.
    struct EntryInfo {
        qint64 size = 0;            // bytes once extracted
        qint64 compressedSize = 0;  // bytes in the archive
        int method = 0;             // 0 stored, 8 deflated, others as numbered by the format
        quint32 crc = 0;
    };
    EntryInfo Info(qint64 index) const;

    // Writes the entry into `folder` under its name and returns the file's
    // path. The file appears whole or not at all: a damaged entry (bad CRC,
    // short data, more data than the entry declares, a size beyond the free
    // space) or a name that would leave the folder ("../x", "/x", "a/b")
    // writes nothing.
    QString ExtractTo(qint64 index, const QString& folder);
    // The same for many entries: each is written and checked as ExtractTo
    // writes it, beside its target, but made durable and put in its place
    // only by CommitExtracted, together with the others, so that the disk
    // is waited for once rather than once per file. The writing is done by
    // worker threads, each reading its own copy of the archive: what can be
    // checked without writing (the name, the free space) throws here, a
    // failure while writing is given by WaitStaged. Returns the target.
    QString StageExtract(qint64 index, const QString& folder);
    // Waits until every staged entry is written; gives the messages of
    // those that failed, in the order they were staged. Their targets stay
    // as they were.
    QStringList WaitStaged();
    // Whether a staged file waits to become `path`.
    bool IsStaged(const QString& path) const;
    qsizetype StagedCount() const;
    // Makes every staged file durable, then puts each in its place, then
    // syncs their folders: no file replaces an old one before all of it is
    // on the disk. Gives the targets put in place. On a failure the files
    // not yet in place are dropped, their targets left as they were, and
    // ZipError is thrown. Entries still being written are waited for; one
    // that failed is left out, its message to be had from WaitStaged first.
    QStringList CommitExtracted();
    // Drops the staged files; their targets stay as they were.
    void DiscardExtracted();

    // Writes the archive (for one being made) and closes it.
    void Close();
    // Closes without writing anything more, after an error.
    void Discard();

    // Whether an entry name is a plain file name that stays in its folder.
    static bool IsSafeEntryName(const QString& name);

private:
    [[noreturn]] void Fail(const QString& what) const;
    [[noreturn]] static void Fail(zip* reader, const QString& what);
    // Adds the file at `path` as an entry named `stored` in `encoding`
    // (libzip's ZIP_FL_ENC_ flag), deflated when asked and worth it.
    qint64 AddSource(const QString& path, const QByteArray& stored, quint32 encoding,
                     bool deflate);
    // A file written for an entry, open, that is to replace `target`: a
    // QSaveFile, or for a staged entry a plain file at `temporary`.
    struct Written {
        std::unique_ptr<QSaveFile> saved;  // for ExtractTo
        int handle = -1;                   // for a staged entry, at `temporary`
        QString target;
        QString temporary;
    };
    // What is known of an entry before anything is written for it.
    struct Planned {
        qint64 index = 0;
        QString name;
        QString target;       // in the folder, as named
        qint64 declared = 0;  // the most bytes ever written
        EntryInfo info;
    };
    Planned Plan(qint64 index, const QString& folder, qint64 pendingBytes) const;
    struct FileCloser {
        void operator()(zip_file* file) const;
    };
    static std::unique_ptr<zip_file, FileCloser> OpenEntry(zip* reader, const Planned& plan);
    // Writes the opened entry, which it closes, whole and checked into
    // `written`, which is cancelled on a failure.
    static void CopyEntry(zip_file* opened, const Planned& plan, Written& written);
    // The file a staged entry for `path` replaces: the end of its links.
    static QString StagedTarget(const QString& path);
    static Written OpenStaged(const QString& path, const QString& target);
    static void Cancel(Written& written);
    // A reader of its own on the open archive's file, for a worker thread.
    zip* OpenReader() const;
    // Throws unless the reader sees the planned entry as the archive did.
    void RequireSame(zip* reader, const Planned& plan) const;
    void RequireOpen() const;
    void RequireIndex(qint64 index) const;
    QByteArray UnusedNameLike(const QByteArray& name) const;
    void CheckLayout();
    void CloseEmpty();
    void FinishWritten();
    void Reset();

    zip* archive_ = nullptr;
    // The file of an archive being read, held open so that the workers of
    // StageExtract read that very file, whatever its path leads to later.
    int source_ = -1;
    // The archive's file as given; one being made is written beside the file
    // the path finally leads to, and then takes its place.
    QString path_;
    QString targetPath_;
    QString writtenPath_;
    // For an archive being made: every name given to libzip, and the real
    // names of the entries that went in under a stand-in because libzip
    // refuses a second entry of one name, or a name beyond ASCII.
    struct StandIn {
        QByteArray stored;
        QByteArray real;
    };
    QSet<QByteArray> names_;
    QHash<qint64, StandIn> standIns_;
    // Entries given to StageExtract, written by workers, waiting for
    // CommitExtracted.
    class Stager;
    std::unique_ptr<Stager> stager_;
    std::vector<Written> written_;  // staged, written whole
    QSet<QString> stagedTargets_;   // their targets' absolute paths
};
