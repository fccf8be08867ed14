#include "ziparchive.h"

#include <zip.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <filesystem>
#include <limits>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "platform/codepage.h"
#include "platform/filehelpers.h"
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

// Threads letting go of the files that restored ones replaced.
constexpr size_t kReleasers = 8;

// Closes the handles, on a few threads: a close that frees a file may wait
// for the disk, and those waits overlap.
void ReleaseSideBySide(const std::vector<int>& handles) {
    std::atomic<size_t> next{0};
    const auto release = [&] {
        for (size_t i = next++; i < handles.size(); i = next++) {
            if (handles[i] >= 0) {
                ::close(handles[i]);
            }
        }
    };
    std::vector<std::jthread> helpers;
    for (size_t i = 1; i < kReleasers && i * 8 < handles.size(); ++i) {
        try {
            helpers.emplace_back(release);
        } catch (const std::system_error&) {
            break;  // fewer helpers, or none: this thread closes the rest
        }
    }
    release();
}

QString ErrorText(int error) {
    char buffer[256];
    return QString::fromLocal8Bit(strerror_r(error, buffer, sizeof buffer));
}

}  // namespace

void ZipArchive::FileCloser::operator()(zip_file* file) const {
    zip_fclose(file);
}

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
    source_ = ::open(encoded.constData(), O_RDONLY | O_CLOEXEC);
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

ZipArchive::Planned ZipArchive::Plan(qint64 index, const QString& folder,
                                     qint64 pendingBytes) const {
    Planned plan;
    plan.index = index;
    plan.name = Name(index);
    if (!IsSafeEntryName(plan.name)) {
        throw ZipError(
            QStringLiteral("The archive entry \"%1\" would be written outside its folder.")
                .arg(plan.name));
    }
    plan.target = QDir(folder).filePath(plan.name);
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive_, static_cast<zip_uint64_t>(index), 0, &stat) != 0 ||
        (stat.valid & ZIP_STAT_SIZE) == 0) {
        Fail(QStringLiteral("%1 cannot be read from the archive").arg(plan.name));
    }
    constexpr auto kMax = static_cast<zip_uint64_t>(std::numeric_limits<qint64>::max());
    plan.info.size = static_cast<qint64>(std::min(stat.size, kMax));
    plan.info.compressedSize = static_cast<qint64>(std::min(stat.comp_size, kMax));
    plan.info.method = stat.comp_method;
    plan.info.crc = stat.crc;
    // libzip compares size and CRC only once the data has ended, and data
    // can inflate to a thousand times its stored size: the declared size is
    // the most that is ever written.
    plan.declared = plan.info.size;
    // Entries still being written have yet to take their room.
    struct statvfs space {};
    if (::statvfs(QFile::encodeName(folder).constData(), &space) == 0) {
        const auto available = static_cast<qint64>(std::min<unsigned long long>(
            static_cast<unsigned long long>(space.f_bavail) * space.f_frsize, kMax));
        if (plan.declared > available - pendingBytes) {
            throw ZipError(QStringLiteral("%1 needs %2 bytes, more than are free in %3.")
                               .arg(plan.name)
                               .arg(plan.declared)
                               .arg(folder));
        }
    }
    return plan;
}

void ZipArchive::Fail(zip* reader, const QString& what) {
    const QString reason = QString::fromLocal8Bit(zip_strerror(reader));
    throw ZipError(reason.isEmpty() ? what : what + QStringLiteral(": ") + reason);
}

// Opened before the file it goes to, so that an entry that cannot be read
// leaves nothing behind.
std::unique_ptr<zip_file_t, ZipArchive::FileCloser> ZipArchive::OpenEntry(zip* reader,
                                                                          const Planned& plan) {
    std::unique_ptr<zip_file_t, FileCloser> entry(
        zip_fopen_index(reader, static_cast<zip_uint64_t>(plan.index), 0));
    if (!entry) {
        Fail(reader, QStringLiteral("%1 cannot be read from the archive").arg(plan.name));
    }
    return entry;
}

void ZipArchive::CopyEntry(zip_file_t* opened, const Planned& plan, Written& written) {
    std::unique_ptr<zip_file_t, FileCloser> entry(opened);
    const QString& name = plan.name;
    const qint64 declared = plan.declared;
    const auto cancel = [&] { Cancel(written); };
    const auto damaged = [&](const QString& reason) {
        cancel();
        throw ZipError(QStringLiteral("%1 in the archive is damaged: %2").arg(name, reason));
    };
    const auto failed = [&](const QString& reason) {
        cancel();
        throw ZipError(WriteErrorText(written.target, reason));
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
        if (written.saved) {
            if (written.saved->write(buffer, got) != got) {
                failed(written.saved->errorString());
            }
        } else if (!WriteWhole(written.handle, buffer, got)) {
            failed(ErrorText(errno));
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
    if (written.saved && !written.saved->flush()) {
        failed(written.saved->errorString());
    }
}

// The file a staged entry replaces: a link is followed to the file it
// leads to, as QSaveFile does for ExtractTo.
QString ZipArchive::StagedTarget(const QString& path) {
    QFileInfo existing(path);
    for (int depth = 0; depth < 128 && existing.isSymLink(); ++depth) {
        existing.setFile(existing.symLinkTarget());
    }
    return existing.isSymLink() ? path : existing.filePath();
}

// A new file beside the one it will replace, as QSaveFile makes one for
// ExtractTo: an existing file that may not be written is refused, and the
// new file takes its permissions (a new one those the umask leaves).
ZipArchive::Written ZipArchive::OpenStaged(const QString& path, const QString& target) {
    const QByteArray encoded = QFile::encodeName(target);
    struct stat status {};
    const bool exists = ::stat(encoded.constData(), &status) == 0;
    if (exists && (S_ISDIR(status.st_mode) || ::access(encoded.constData(), W_OK) != 0)) {
        throw ZipError(WriteErrorText(path, QStringLiteral("it may not be replaced")));
    }
    Written written;
    written.target = target;
    const mode_t mode = exists ? 0600 : 0666;
    // Made without a name first where the file system allows: making the
    // file is the slow part, and a nameless one is made without holding
    // the folder against the other workers. It is named at once.
    int unnamed = ::open(QFile::encodeName(QFileInfo(target).path()).constData(),
                         O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    const QByteArray own = QByteArrayLiteral("/proc/self/fd/") + QByteArray::number(unnamed);
    for (int attempt = 0; written.temporary.isEmpty(); ++attempt) {
        const QString candidate =
            target + QStringLiteral(".%1").arg(QRandomGenerator::global()->generate(), 8, 16,
                                               QLatin1Char('0'));
        const QByteArray name = QFile::encodeName(candidate);
        int handle = -1;
        if (unnamed < 0) {
            handle = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        } else if (::linkat(AT_FDCWD, own.constData(), AT_FDCWD, name.constData(),
                            AT_SYMLINK_FOLLOW) == 0) {
            handle = std::exchange(unnamed, -1);
        } else if (errno != EEXIST) {
            // Without /proc, say, the file is made under its name instead.
            ::close(std::exchange(unnamed, -1));
            --attempt;
            continue;
        }
        if (handle < 0) {
            if (errno != EEXIST || attempt > 100) {
                const QString reason = ErrorText(errno);
                if (unnamed >= 0) {
                    ::close(unnamed);
                }
                throw ZipError(WriteErrorText(path, reason));
            }
            continue;
        }
        if (exists && ::fchmod(handle, status.st_mode & 07777) != 0) {
            const QString reason = ErrorText(errno);
            ::close(handle);
            ::unlink(name.constData());
            throw ZipError(WriteErrorText(path, reason));
        }
        written.temporary = candidate;
        written.handle = handle;
    }
    return written;
}

void ZipArchive::Cancel(Written& written) {
    if (written.saved) {
        written.saved->cancelWriting();
        return;
    }
    if (written.handle >= 0) {
        ::close(written.handle);
        written.handle = -1;
        ::unlink(QFile::encodeName(written.temporary).constData());
    }
}

QString ZipArchive::ExtractTo(qint64 index, const QString& folder) {
    const Planned plan = Plan(index, folder, 0);
    Written written;
    written.target = plan.target;
    written.saved = std::make_unique<QSaveFile>(plan.target);
    std::unique_ptr<zip_file_t, FileCloser> entry = OpenEntry(archive_, plan);
    if (!written.saved->open(QIODevice::WriteOnly)) {
        throw ZipError(WriteErrorText(plan.target, written.saved->errorString()));
    }
    CopyEntry(entry.release(), plan, written);
    if (!written.saved->commit()) {
        throw ZipError(WriteErrorText(plan.target, written.saved->errorString()));
    }
    return plan.target;
}

// Entries staged for extraction, written by a few threads. Each thread reads
// its own handle on the archive's file, since libzip's reading of one
// archive is not to be shared; the entries are checked against the layout
// the owner's archive read.
class ZipArchive::Stager {
public:
    struct Job {
        Planned plan;
        QString path;    // the target as named, for messages
        QString target;  // the file it replaces
        Written written;
        QString error;
    };

    Stager(const ZipArchive& owner, int threads) : owner_(owner) {
        for (int i = 0; i < threads; ++i) {
            try {
                threads_.emplace_back([this] { Work(); });
            } catch (const std::system_error&) {
                break;  // the system has no more threads to give
            }
        }
        if (threads_.empty()) {
            throw ZipError(
                QStringLiteral("The files cannot be restored: no thread could be "
                               "started to write them."));
        }
    }

    ~Stager() {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        for (std::thread& thread : threads_) {
            thread.join();
        }
    }

    void Add(Job job) {
        pendingBytes_ += job.plan.declared;
        {
            const std::lock_guard lock(mutex_);
            jobs_.push_back(std::move(job));
        }
        wake_.notify_one();
    }

    qsizetype Count() {
        const std::lock_guard lock(mutex_);
        return static_cast<qsizetype>(jobs_.size());
    }

    qint64 PendingBytes() const { return pendingBytes_; }

    // Every job, each once written or failed, in the order given.
    std::deque<Job> Take() {
        std::unique_lock lock(mutex_);
        done_.wait(lock, [this] { return finished_ == jobs_.size(); });
        std::deque<Job> jobs = std::move(jobs_);
        jobs_.clear();
        next_ = 0;
        finished_ = 0;
        return jobs;
    }

private:
    void Work() {
        zip* reader = nullptr;
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return stopping_ || next_ < jobs_.size(); });
            if (next_ >= jobs_.size()) {
                break;
            }
            // A deque keeps its elements in place as more are added.
            Job& job = jobs_[next_++];
            lock.unlock();
            try {
                Write(job, reader);
            } catch (const ZipError& error) {
                job.error = error.Message();
            } catch (...) {
                // Out of memory, or a system refusal: the entry fails, and
                // the caller waiting for every entry still hears of it.
                job.error = WriteErrorText(job.path, QStringLiteral("it could not be written"));
            }
            pendingBytes_ -= job.plan.declared;
            lock.lock();
            ++finished_;
            if (finished_ == jobs_.size()) {
                done_.notify_all();
            }
        }
        lock.unlock();
        if (reader != nullptr) {
            zip_discard(reader);
        }
    }

    void Write(Job& job, zip*& reader) {
        if (reader == nullptr) {
            reader = owner_.OpenReader();
        }
        owner_.RequireSame(reader, job.plan);
        std::unique_ptr<zip_file_t, FileCloser> entry = OpenEntry(reader, job.plan);
        job.written = OpenStaged(job.path, job.target);
        CopyEntry(entry.release(), job.plan, job.written);
        // The disk starts on the bytes now, while the next entries inflate.
        ::sync_file_range(job.written.handle, 0, 0, SYNC_FILE_RANGE_WRITE);
    }

    const ZipArchive& owner_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    std::deque<Job> jobs_;
    size_t next_ = 0;
    size_t finished_ = 0;
    bool stopping_ = false;
    std::atomic<qint64> pendingBytes_{0};
    std::vector<std::thread> threads_;
};

zip* ZipArchive::OpenReader() const {
    // A handle of its own on the very file the owner holds.
    const QByteArray own = QByteArrayLiteral("/proc/self/fd/") + QByteArray::number(source_);
    int handle = ::open(own.constData(), O_RDONLY | O_CLOEXEC);
    if (handle < 0) {
        handle = ::open(QFile::encodeName(path_).constData(), O_RDONLY | O_CLOEXEC);
    }
    int error = ZIP_ER_OPEN;
    zip* reader = handle < 0 ? nullptr : zip_fdopen(handle, 0, &error);
    if (reader == nullptr) {
        if (handle >= 0) {
            ::close(handle);
        }
        throw ZipError(QStringLiteral("%1 cannot be opened: %2").arg(path_, OpenErrorText(error)));
    }
    return reader;
}

void ZipArchive::RequireSame(zip* reader, const Planned& plan) const {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(reader, static_cast<zip_uint64_t>(plan.index), 0, &stat) != 0 ||
        stat.size != static_cast<zip_uint64_t>(plan.info.size) ||
        stat.comp_size != static_cast<zip_uint64_t>(plan.info.compressedSize) ||
        stat.crc != plan.info.crc || stat.comp_method != plan.info.method) {
        throw ZipError(
            QStringLiteral("%1 is not a sound ZIP archive: it describes %2 in two ways.")
                .arg(path_, QStringLiteral("entry %1").arg(plan.index)));
    }
}

QString ZipArchive::StageExtract(qint64 index, const QString& folder) {
    RequireOpen();
    if (!stager_) {
        const int threads =
            std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 2, 4);
        stager_ = std::make_unique<Stager>(*this, threads);
    }
    Stager::Job job;
    job.plan = Plan(index, folder, stager_->PendingBytes());
    job.path = job.plan.target;
    job.target = StagedTarget(job.path);
    const QString target = job.target;
    stagedTargets_.insert(QFileInfo(target).absoluteFilePath());
    stager_->Add(std::move(job));
    return target;
}

QStringList ZipArchive::WaitStaged() {
    QStringList errors;
    if (!stager_) {
        return errors;
    }
    std::deque<Stager::Job> jobs = stager_->Take();
    for (Stager::Job& job : jobs) {
        if (!job.error.isEmpty()) {
            errors.append(job.error);
            // Its target waits for nothing more, unless an earlier entry of
            // the same name was written.
            stagedTargets_.remove(QFileInfo(job.target).absoluteFilePath());
            continue;
        }
        written_.push_back(std::move(job.written));
    }
    for (const Written& file : written_) {
        stagedTargets_.insert(QFileInfo(file.target).absoluteFilePath());
    }
    return errors;
}

bool ZipArchive::IsStaged(const QString& path) const {
    return stagedTargets_.contains(QFileInfo(path).absoluteFilePath());
}

qsizetype ZipArchive::StagedCount() const {
    return static_cast<qsizetype>(written_.size()) + (stager_ ? stager_->Count() : 0);
}

QStringList ZipArchive::CommitExtracted() {
    // Failures here were the caller's to collect from WaitStaged first.
    WaitStaged();
    std::vector<Written> files = std::move(written_);
    written_.clear();
    stagedTargets_.clear();
    const auto fail = [&](const QString& target, const QString& reason) {
        for (Written& file : files) {
            Cancel(file);
        }
        throw ZipError(WriteErrorText(target, reason));
    };
    // Every file on the disk before any of them replaces an old one: one
    // sync of each file system they are on, which also tells of any write
    // to them that failed, rather than a wait for the disk per file.
    QSet<dev_t> synced;
    for (const Written& file : files) {
        struct stat status {};
        if (::fstat(file.handle, &status) != 0) {
            fail(file.target, ErrorText(errno));
        }
        if (!synced.contains(status.st_dev)) {
            if (::syncfs(file.handle) != 0) {
                fail(file.target, ErrorText(errno));
            }
            synced.insert(status.st_dev);
        }
    }
    for (Written& file : files) {
        ::close(file.handle);
        file.handle = -1;
    }
    // A file replaced here is let go only once its folder is synced: its
    // blocks are freed then, which a file system may hand back to the disk
    // there and then, waiting for each. Inside the rename that wait would
    // hold the folder against every other rename, and before the folder is
    // synced, a crash could leave the name with the old file's freed blocks.
    std::vector<int> replaced(files.size(), -1);
    for (size_t i = 0; i < files.size(); ++i) {
        replaced[i] = ::open(QFile::encodeName(files[i].target).constData(),
                             O_PATH | O_NOFOLLOW | O_CLOEXEC);
    }
    QStringList targets;
    QSet<QString> folders;
    int error = 0;
    size_t failed = 0;
    for (size_t i = 0; i < files.size(); ++i) {
        const QByteArray temporary = QFile::encodeName(files[i].temporary);
        if (error != 0) {
            ::unlink(temporary.constData());
        } else if (::rename(temporary.constData(),
                            QFile::encodeName(files[i].target).constData()) != 0) {
            error = errno;
            failed = i;
            ::unlink(temporary.constData());
        } else {
            targets.append(files[i].target);
            folders.insert(QFileInfo(files[i].target).absolutePath());
        }
    }
    // The renames last only once their folders are on the disk too, those
    // done before a failed one as well; a file system that cannot sync a
    // folder has nothing more to offer.
    for (const QString& path : std::as_const(folders)) {
        SyncFolderNames(path);
    }
    ReleaseSideBySide(replaced);
    if (error != 0) {
        throw ZipError(WriteErrorText(files[failed].target, ErrorText(error)));
    }
    return targets;
}

void ZipArchive::DiscardExtracted() {
    WaitStaged();
    for (Written& file : written_) {
        Cancel(file);
    }
    written_.clear();
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
    SyncFolderNames(QFileInfo(targetPath_).absolutePath());
}

void ZipArchive::Discard() {
    DiscardExtracted();
    stager_.reset();
    if (source_ >= 0) {
        ::close(source_);
        source_ = -1;
    }
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
