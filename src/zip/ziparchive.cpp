#include "ziparchive.h"

#include <zip.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStorageInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <system_error>

#include "platform/codepage.h"
#include "zipdirectory.h"
#include "ziperror.h"

namespace {

// zlib's default level; libzip's own "default" picks the strongest instead.
constexpr zip_uint32_t kDeflateLevel = 6;
constexpr qint64 kStoreBelow = 5;

QByteArray Encoded(const QString& text, const char* what) {
    const auto bytes = EncodeDeviceCodePage(text);
    if (!bytes) {
        throw ZipError(QStringLiteral("The %1 \"%2\" cannot be written in the archive's "
                                      "character set.")
                           .arg(QString::fromLatin1(what), text));
    }
    return *bytes;
}

// A comment's length is a 16-bit field; libzip takes it as such and would
// keep only what is left of a longer one.
QByteArray EncodedComment(const QString& text) {
    QByteArray bytes = Encoded(text, "comment");
    if (bytes.size() > 0xFFFF) {
        throw ZipError(QStringLiteral("A comment of %1 bytes is longer than an archive can hold.")
                           .arg(bytes.size()));
    }
    return bytes;
}

QString OpenErrorText(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromLocal8Bit(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

// Bytes a stand-in name is made of: plain ASCII, so that libzip takes it
// for what it is and sets no UTF-8 flag; no separators, nothing libzip or a
// reader could take for a folder.
constexpr char kStandInBytes[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr qint64 kStandInBase = sizeof kStandInBytes - 1;

// libzip refuses a name as code page 437 when its bytes also read as UTF-8
// (Windows-1252 "\xD6\x96" is "Ö–"), and would flag it as UTF-8 if asked to
// guess; any name beyond ASCII goes in under a stand-in instead.
bool IsAscii(const QByteArray& bytes) {
    return std::all_of(bytes.cbegin(), bytes.cend(),
                       [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

// The file a path finally names, through any chain of symbolic links, even
// when that file does not exist yet: an archive written at a link replaces
// the file it points at, and leaves the link a link.
QString FinalTarget(const QString& path) {
    QFileInfo info(path);
    for (int depth = 0; info.isSymLink(); ++depth) {
        if (depth == 64) {
            throw ZipError(
                QStringLiteral("%1 cannot be created: its links lead in a circle.").arg(path));
        }
        info.setFile(info.symLinkTarget());
    }
    return info.filePath();
}

// Room left in a file name of at most 255 bytes for the dot, the random
// part and ".tmp" around the archive's own name, and for the six characters
// and dot that libzip appends to name its own working file.
constexpr qsizetype kNameRoom = 255 - 22 - 7;

QString TemporaryPathBeside(const QString& path) {
    const QFileInfo info(path);
    // The archive's name is only a hint to whoever finds a leftover; a name
    // near the limit would leave no room for the rest.
    QString hint = info.fileName();
    while (QFile::encodeName(hint).size() > kNameRoom) {
        hint.chop(hint.size() >= 2 && hint.at(hint.size() - 1).isLowSurrogate() ? 2 : 1);
    }
    for (;;) {
        const QString candidate = info.dir().filePath(
            QStringLiteral(".%1.%2.tmp")
                .arg(hint)
                .arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0')));
        if (!QFileInfo::exists(candidate)) {
            return candidate;
        }
    }
}

QString WriteErrorText(const QString& path, const QString& reason) {
    return QStringLiteral("%1 cannot be written: %2").arg(path, reason);
}

struct FileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

}  // namespace

ZipArchive::ZipArchive() = default;

ZipArchive::~ZipArchive() {
    Discard();
}

void ZipArchive::Fail(const QString& what) const {
    const QString reason =
        archive_ != nullptr ? QString::fromLocal8Bit(zip_strerror(archive_)) : QString();
    throw ZipError(reason.isEmpty() ? what : what + QStringLiteral(": ") + reason);
}

void ZipArchive::RequireOpen() const {
    if (archive_ == nullptr) {
        throw ZipError(QStringLiteral("No archive is open."));
    }
}

void ZipArchive::RequireIndex(qint64 index) const {
    RequireOpen();
    if (index < 0 || index >= Count()) {
        throw ZipError(QStringLiteral("The archive has no entry %1.").arg(index));
    }
}

void ZipArchive::Create(const QString& path) {
    Discard();
    // libzip writes to a file of its own choosing; ours go beside the
    // archive first so that a second entry of one name can be renamed before
    // the archive replaces anything.
    const QString target = FinalTarget(path);
    const QString written = TemporaryPathBeside(target);
    int error = 0;
    archive_ = zip_open(QFile::encodeName(written).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (archive_ == nullptr) {
        throw ZipError(QStringLiteral("%1 cannot be created: %2").arg(path, OpenErrorText(error)));
    }
    path_ = path;
    targetPath_ = target;
    writtenPath_ = written;
}

void ZipArchive::Open(const QString& path) {
    Discard();
    int error = 0;
    const QByteArray encoded = QFile::encodeName(path);
    archive_ = zip_open(encoded.constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    // libzip's consistency check also refuses two entries of one name, which
    // our backups hold; without it, our own check of the layout stands in.
    if (archive_ == nullptr && error == ZIP_ER_EXISTS) {
        archive_ = zip_open(encoded.constData(), ZIP_RDONLY, &error);
    }
    if (archive_ == nullptr) {
        throw ZipError(QStringLiteral("%1 cannot be opened: %2").arg(path, OpenErrorText(error)));
    }
    path_ = path;
    try {
        CheckLayout();
    } catch (...) {
        Discard();
        throw;
    }
}

void ZipArchive::CheckLayout() {
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        throw ZipError(QStringLiteral("%1 cannot be opened: %2").arg(path_, file.errorString()));
    }
    const ZipDirectory directory = ZipDirectory::Read(file, path_);
    // Ours never come near 4 GB or 65535 entries, and the ZIP64 records are
    // where entries sharing their data would go unchecked.
    if (directory.IsZip64()) {
        throw ZipError(QStringLiteral("%1 cannot be opened: it is in the ZIP64 format, which no "
                                      "backup needs.")
                           .arg(path_));
    }
    // A file can hold more than one directory; libzip, when it has to do
    // without its own consistency check, may read another than the one
    // checked above, and every entry it serves must be one that was checked.
    const auto& entries = directory.Entries();
    const auto inconsistent = [&](const QString& what) {
        return ZipError(
            QStringLiteral("%1 is not a sound ZIP archive: it describes %2 in two ways.")
                .arg(path_, what));
    };
    if (static_cast<qint64>(entries.size()) != Count()) {
        throw inconsistent(QStringLiteral("its entries"));
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        const ZipDirectory::Entry& entry = entries[i];
        const auto index = static_cast<zip_uint64_t>(i);
        const char* name = zip_get_name(archive_, index, ZIP_FL_ENC_RAW);
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (name == nullptr || zip_stat_index(archive_, index, 0, &stat) != 0) {
            Fail(QStringLiteral("Entry %1 of %2 cannot be read").arg(i).arg(path_));
        }
        constexpr zip_uint64_t kNeeded =
            ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_CRC | ZIP_STAT_COMP_METHOD;
        const QByteArray served(name);
        if ((stat.valid & kNeeded) != kNeeded ||
            (served != entry.name &&
             (entry.unicodeName.isEmpty() || served != entry.unicodeName)) ||
            stat.size != static_cast<zip_uint64_t>(entry.size) ||
            stat.comp_size != static_cast<zip_uint64_t>(entry.compressedSize) ||
            stat.crc != entry.crc || stat.comp_method != entry.method) {
            throw inconsistent(QStringLiteral("entry %1").arg(i));
        }
    }
}

void ZipArchive::SetComment(const QString& comment) {
    RequireOpen();
    const QByteArray bytes = EncodedComment(comment);
    if (zip_set_archive_comment(archive_, bytes.constData(),
                                static_cast<zip_uint16_t>(bytes.size())) != 0) {
        Fail(QStringLiteral("The archive comment cannot be set"));
    }
}

qint64 ZipArchive::AddFile(const QString& path) {
    RequireOpen();
    const QFileInfo info(path);
    if (!info.isFile()) {
        throw ZipError(QStringLiteral("%1 is not a file that can be backed up.").arg(path));
    }
    const QByteArray name = Encoded(info.fileName(), "file name");
    const QByteArray stored =
        names_.contains(name) || !IsAscii(name) ? UnusedNameLike(name) : name;
    // ASCII by now, so stored as it stands, without claiming UTF-8.
    const qint64 index = AddSource(path, stored, ZIP_FL_ENC_CP437, true);
    if (stored != name) {
        standIns_.insert(index, {stored, name});
    }
    return index;
}

qint64 ZipArchive::AddFileAs(const QString& path, const QString& name, bool deflate) {
    RequireOpen();
    if (!QFileInfo(path).isFile()) {
        throw ZipError(QStringLiteral("%1 is not a file that can be archived.").arg(path));
    }
    const QByteArray utf8 = name.toUtf8();
    if (!IsSafeEntryName(name) || names_.contains(utf8)) {
        throw ZipError(
            QStringLiteral("\"%1\" cannot name a second entry or one in a folder.").arg(name));
    }
    return AddSource(path, utf8, ZIP_FL_ENC_UTF_8, deflate);
}

qint64 ZipArchive::AddSource(const QString& path, const QByteArray& stored, quint32 encoding,
                             bool deflate) {
    zip_source_t* source = zip_source_file(archive_, QFile::encodeName(path).constData(), 0, -1);
    if (source == nullptr) {
        Fail(QStringLiteral("%1 cannot be read").arg(path));
    }
    const zip_int64_t index = zip_file_add(archive_, stored.constData(), source, encoding);
    if (index < 0) {
        zip_source_free(source);
        Fail(QStringLiteral("%1 cannot be added").arg(path));
    }
    names_.insert(stored);
    const bool store = !deflate || QFileInfo(path).size() < kStoreBelow;
    if (zip_set_file_compression(archive_, static_cast<zip_uint64_t>(index),
                                 store ? ZIP_CM_STORE : ZIP_CM_DEFLATE,
                                 store ? 0 : kDeflateLevel) != 0) {
        Fail(QStringLiteral("%1 cannot be compressed").arg(path));
    }
    return index;
}

// A name of the same length as `name` that no entry has yet: the stand-in's
// bytes are later overwritten in place, so nothing else in the file moves.
QByteArray ZipArchive::UnusedNameLike(const QByteArray& name) const {
    // Each name tried and found taken belongs to an entry, so this ends.
    for (qint64 attempt = 0;; ++attempt) {
        QByteArray candidate = name;
        qint64 rest = attempt;
        for (qsizetype i = 0; i < candidate.size(); ++i) {
            candidate[i] = kStandInBytes[rest % kStandInBase];
            rest /= kStandInBase;
        }
        if (rest != 0) {
            throw ZipError(QStringLiteral("Too many files named \"%1\" for one archive.")
                               .arg(DecodeDeviceCodePage(name)));
        }
        if (!names_.contains(candidate)) {
            return candidate;
        }
    }
}

void ZipArchive::SetEntryComment(qint64 index, const QString& comment) {
    RequireIndex(index);
    const QByteArray bytes = EncodedComment(comment);
    if (zip_file_set_comment(archive_, static_cast<zip_uint64_t>(index), bytes.constData(),
                             static_cast<zip_uint16_t>(bytes.size()), ZIP_FL_ENC_CP437) != 0) {
        Fail(QStringLiteral("The comment of entry %1 cannot be set").arg(index));
    }
}

qint64 ZipArchive::Count() const {
    RequireOpen();
    return zip_get_num_entries(archive_, 0);
}

QString ZipArchive::Name(qint64 index) const {
    RequireIndex(index);
    if (const auto standIn = standIns_.constFind(index); standIn != standIns_.cend()) {
        return DecodeDeviceCodePage(standIn->real);
    }
    const char* name = zip_get_name(archive_, static_cast<zip_uint64_t>(index), ZIP_FL_ENC_RAW);
    if (name == nullptr) {
        Fail(QStringLiteral("The name of entry %1 cannot be read").arg(index));
    }
    return DecodeDeviceCodePage(QByteArray(name));
}

QString ZipArchive::Comment(qint64 index) const {
    RequireIndex(index);
    zip_uint32_t length = 0;
    const char* comment =
        zip_file_get_comment(archive_, static_cast<zip_uint64_t>(index), &length, ZIP_FL_ENC_RAW);
    return comment == nullptr
               ? QString()
               : DecodeDeviceCodePage(QByteArray(comment, static_cast<int>(length)));
}

ZipArchive::EntryInfo ZipArchive::Info(qint64 index) const {
    RequireIndex(index);
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive_, static_cast<zip_uint64_t>(index), 0, &stat) != 0) {
        Fail(QStringLiteral("Entry %1 cannot be read").arg(index));
    }
    constexpr auto kMax = static_cast<zip_uint64_t>(std::numeric_limits<qint64>::max());
    EntryInfo info;
    info.size = static_cast<qint64>(std::min(stat.size, kMax));
    info.compressedSize = static_cast<qint64>(std::min(stat.comp_size, kMax));
    info.method = stat.comp_method;
    info.crc = stat.crc;
    return info;
}

bool ZipArchive::IsFolder(qint64 index) const {
    return Name(index).endsWith(QLatin1Char('/'));
}

bool ZipArchive::IsSafeEntryName(const QString& name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           !name.contains(QChar(0)) && !name.contains(QLatin1Char(':'));
}

ZipArchive::Written ZipArchive::WriteEntry(qint64 index, const QString& folder, bool staged) {
    const QString name = Name(index);
    if (!IsSafeEntryName(name)) {
        throw ZipError(
            QStringLiteral("The archive entry \"%1\" would be written outside its folder.")
                .arg(name));
    }
    const QString target = QDir(folder).filePath(name);
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive_, static_cast<zip_uint64_t>(index), 0, &stat) != 0 ||
        (stat.valid & ZIP_STAT_SIZE) == 0) {
        Fail(QStringLiteral("%1 cannot be read from the archive").arg(name));
    }
    // libzip compares size and CRC only once the data has ended, and data
    // can inflate to a thousand times its stored size: the declared size is
    // the most that is ever written.
    const auto declared = static_cast<qint64>(std::min<zip_uint64_t>(
        stat.size, static_cast<zip_uint64_t>(std::numeric_limits<qint64>::max())));
    const QStorageInfo storage(folder);
    if (storage.isValid() && storage.bytesAvailable() >= 0 &&
        declared > storage.bytesAvailable()) {
        throw ZipError(QStringLiteral("%1 needs %2 bytes, more than are free in %3.")
                           .arg(name)
                           .arg(declared)
                           .arg(folder));
    }
    std::unique_ptr<zip_file_t, FileCloser> entry(
        zip_fopen_index(archive_, static_cast<zip_uint64_t>(index), 0));
    if (!entry) {
        Fail(QStringLiteral("%1 cannot be read from the archive").arg(name));
    }
    Written written;
    if (staged) {
        written = OpenStaged(target);
    } else {
        auto saved = std::make_unique<QSaveFile>(target);
        if (!saved->open(QIODevice::WriteOnly)) {
            throw ZipError(WriteErrorText(target, saved->errorString()));
        }
        written.file = std::move(saved);
        written.target = target;
    }
    QFileDevice& file = *written.file;
    const auto cancel = [&] { Cancel(written); };
    const auto damaged = [&](const QString& reason) {
        cancel();
        throw ZipError(QStringLiteral("%1 in the archive is damaged: %2").arg(name, reason));
    };
    char buffer[64 * 1024];
    qint64 total = 0;
    for (;;) {
        // One byte past the declared size is enough to know it is exceeded.
        const qint64 left = declared - total;
        const qint64 wanted = left < static_cast<qint64>(sizeof buffer) ? left + 1 : sizeof buffer;
        const zip_int64_t got = zip_fread(entry.get(), buffer, static_cast<zip_uint64_t>(wanted));
        if (got < 0) {
            // A damaged entry, its CRC among other things, shows up here.
            damaged(QString::fromLocal8Bit(zip_file_strerror(entry.get())));
        }
        if (got == 0) {
            break;
        }
        total += got;
        if (total > declared) {
            damaged(QStringLiteral("it holds more than the %1 bytes it declares").arg(declared));
        }
        if (file.write(buffer, got) != got) {
            const QString reason = file.errorString();
            cancel();
            throw ZipError(WriteErrorText(target, reason));
        }
    }
    if (total != declared) {
        damaged(
            QStringLiteral("it holds %1 of the %2 bytes it declares").arg(total).arg(declared));
    }
    // The last read already checked the CRC; closing reports anything left.
    if (const int error = zip_fclose(entry.release()); error != 0) {
        damaged(OpenErrorText(error));
    }
    if (!file.flush()) {
        const QString reason = file.errorString();
        cancel();
        throw ZipError(WriteErrorText(target, reason));
    }
    return written;
}

// A new file beside the one it will replace, as QSaveFile makes one for
// ExtractTo: a link is followed to the file it leads to, an existing file
// that may not be written is refused, and the new file takes its
// permissions (a new one those the umask leaves).
ZipArchive::Written ZipArchive::OpenStaged(const QString& path) {
    QFileInfo existing(path);
    for (int depth = 0; depth < 128 && existing.isSymLink(); ++depth) {
        existing.setFile(existing.symLinkTarget());
    }
    const QString target = existing.isSymLink() ? path : existing.filePath();
    struct stat status {};
    const bool exists = ::stat(QFile::encodeName(target).constData(), &status) == 0;
    if (exists && (S_ISDIR(status.st_mode) || !existing.isWritable())) {
        throw ZipError(WriteErrorText(path, QStringLiteral("it may not be replaced")));
    }
    Written written;
    written.target = target;
    for (int attempt = 0; written.temporary.isEmpty(); ++attempt) {
        const QString candidate =
            target + QStringLiteral(".%1").arg(QRandomGenerator::global()->generate(), 8, 16,
                                               QLatin1Char('0'));
        const int handle = ::open(QFile::encodeName(candidate).constData(),
                                  O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, exists ? 0600 : 0666);
        if (handle < 0) {
            if (errno != EEXIST || attempt > 100) {
                throw ZipError(WriteErrorText(path, QString::fromLocal8Bit(std::strerror(errno))));
            }
            continue;
        }
        written.temporary = candidate;
        auto file = std::make_unique<QFile>(candidate);
        if ((exists && ::fchmod(handle, status.st_mode & 07777) != 0) ||
            !file->open(handle, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
            const QString reason = QString::fromLocal8Bit(std::strerror(errno));
            ::close(handle);
            QFile::remove(candidate);
            throw ZipError(WriteErrorText(path, reason));
        }
        written.file = std::move(file);
    }
    return written;
}

void ZipArchive::Cancel(Written& written) {
    if (auto* saved = qobject_cast<QSaveFile*>(written.file.get())) {
        saved->cancelWriting();
        return;
    }
    written.file->close();
    QFile::remove(written.temporary);
}

QString ZipArchive::ExtractTo(qint64 index, const QString& folder) {
    Written written = WriteEntry(index, folder, false);
    auto& file = static_cast<QSaveFile&>(*written.file);
    if (!file.commit()) {
        throw ZipError(WriteErrorText(written.target, file.errorString()));
    }
    return written.target;
}

QString ZipArchive::StageExtract(qint64 index, const QString& folder) {
    Written written = WriteEntry(index, folder, true);
    // The disk starts on the bytes now, while the next entries inflate.
    ::sync_file_range(written.file->handle(), 0, 0, SYNC_FILE_RANGE_WRITE);
    const QString target = written.target;
    stagedTargets_.insert(QFileInfo(target).absoluteFilePath());
    staged_.push_back(std::move(written));
    return target;
}

bool ZipArchive::IsStaged(const QString& path) const {
    return stagedTargets_.contains(QFileInfo(path).absoluteFilePath());
}

QStringList ZipArchive::CommitExtracted() {
    std::vector<Written> files = std::move(staged_);
    staged_.clear();
    stagedTargets_.clear();
    const auto fail = [&](size_t from, const QString& target, const QString& reason) {
        for (size_t i = from; i < files.size(); ++i) {
            Cancel(files[i]);
        }
        throw ZipError(WriteErrorText(target, reason));
    };
    // Every file on the disk before any of them replaces an old one: one
    // sync of each file system they are on, which also tells of any write
    // to them that failed, rather than a wait for the disk per file.
    QSet<dev_t> synced;
    for (const Written& file : files) {
        struct stat status {};
        if (::fstat(file.file->handle(), &status) != 0) {
            fail(0, file.target, QString::fromLocal8Bit(std::strerror(errno)));
        }
        if (!synced.contains(status.st_dev)) {
            if (::syncfs(file.file->handle()) != 0) {
                fail(0, file.target, QString::fromLocal8Bit(std::strerror(errno)));
            }
            synced.insert(status.st_dev);
        }
    }
    QStringList targets;
    QSet<QString> folders;
    for (size_t i = 0; i < files.size(); ++i) {
        files[i].file->close();
        if (::rename(QFile::encodeName(files[i].temporary).constData(),
                     QFile::encodeName(files[i].target).constData()) != 0) {
            fail(i, files[i].target, QString::fromLocal8Bit(std::strerror(errno)));
        }
        targets.append(files[i].target);
        folders.insert(QFileInfo(files[i].target).absolutePath());
    }
    // The renames last only once their folders are on the disk too; a file
    // system that cannot sync a folder has nothing more to offer.
    for (const QString& path : std::as_const(folders)) {
        const int folder =
            ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder >= 0) {
            ::fsync(folder);
            ::close(folder);
        }
    }
    return targets;
}

void ZipArchive::DiscardExtracted() {
    for (Written& file : staged_) {
        Cancel(file);
    }
    staged_.clear();
    stagedTargets_.clear();
}

void ZipArchive::Close() {
    RequireOpen();
    if (writtenPath_.isEmpty()) {
        Discard();
        return;
    }
    if (Count() == 0) {
        CloseEmpty();
        return;
    }
    if (zip_close(archive_) != 0) {
        const QString reason = QString::fromLocal8Bit(zip_strerror(archive_));
        const QString path = path_;
        Discard();
        throw ZipError(WriteErrorText(path, reason));
    }
    archive_ = nullptr;
    try {
        FinishWritten();
    } catch (...) {
        Discard();
        throw;
    }
    Reset();
}

// libzip writes no file at all for an archive without entries, and would
// delete the one it replaces; the archive is then its end record alone.
void ZipArchive::CloseEmpty() {
    zip_int32_t length = 0;
    const char* comment = zip_get_archive_comment(archive_, &length, ZIP_FL_ENC_RAW);
    QByteArray end("PK\x05\x06", 4);
    end.append(16, '\0');
    end.append(static_cast<char>(length & 0xFF));
    end.append(static_cast<char>((length >> 8) & 0xFF));
    if (comment != nullptr) {
        end.append(comment, length);
    }
    zip_discard(archive_);
    archive_ = nullptr;
    const QString path = path_;
    const QString target = targetPath_;
    Reset();
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(end) != end.size() || !file.commit()) {
        throw ZipError(WriteErrorText(path, file.errorString()));
    }
}

// Gives the stand-in names back their real ones, makes the file durable and
// puts it in the archive's place.
void ZipArchive::FinishWritten() {
    QFile file(writtenPath_);
    if (!file.open(QIODevice::ReadWrite)) {
        throw ZipError(WriteErrorText(path_, file.errorString()));
    }
    // Reading our own output back also proves it sound before it replaces
    // the previous archive.
    const ZipDirectory directory = ZipDirectory::Read(file, path_);
    if (directory.IsZip64()) {
        // Our own Open would refuse it.
        throw ZipError(QStringLiteral("%1 cannot be written: its files are too large for a "
                                      "backup.")
                           .arg(path_));
    }
    const auto& entries = directory.Entries();
    for (auto standIn = standIns_.cbegin(); standIn != standIns_.cend(); ++standIn) {
        // Only the stand-in's own bytes, where libzip wrote them, are touched.
        const auto index = static_cast<size_t>(standIn.key());
        if (index >= entries.size() || entries[index].name != standIn->stored ||
            standIn->real.size() != standIn->stored.size()) {
            throw ZipError(QStringLiteral("%1 cannot be written: its entries could not be named.")
                               .arg(path_));
        }
        for (const qint64 offset :
             {entries[index].centralNameOffset, entries[index].localNameOffset}) {
            if (!file.seek(offset) || file.write(standIn->real) != standIn->real.size()) {
                throw ZipError(WriteErrorText(path_, file.errorString()));
            }
        }
    }
    if (!file.flush() || ::fsync(file.handle()) != 0) {
        throw ZipError(WriteErrorText(path_, file.errorString()));
    }
    file.close();
    // The new archive keeps the old one's permissions: a backup the user
    // made private must not become readable by others.
    const QFileInfo previous(targetPath_);
    if (previous.exists() && !QFile::setPermissions(writtenPath_, previous.permissions())) {
        throw ZipError(WriteErrorText(path_, QStringLiteral("its permissions cannot be kept")));
    }
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(writtenPath_).toStdString(),
                            QFile::encodeName(targetPath_).toStdString(), error);
    if (error) {
        throw ZipError(WriteErrorText(path_, QString::fromStdString(error.message())));
    }
    // The rename lasts only once its folder is on disk too; a file system
    // that cannot sync a folder has nothing more to offer.
    const int folder = ::open(QFile::encodeName(QFileInfo(targetPath_).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

void ZipArchive::Discard() {
    DiscardExtracted();
    if (archive_ != nullptr) {
        zip_discard(archive_);
        archive_ = nullptr;
    }
    if (!writtenPath_.isEmpty()) {
        QFile::remove(writtenPath_);
    }
    Reset();
}

void ZipArchive::Reset() {
    path_.clear();
    targetPath_.clear();
    writtenPath_.clear();
    names_.clear();
    standIns_.clear();
}
