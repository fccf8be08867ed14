#include "ziparchive.h"

#include <zip.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <memory>

#include "platform/codepage.h"
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

QString OpenErrorText(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromLocal8Bit(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

struct FileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

}  // namespace

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
    int error = 0;
    archive_ = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (archive_ == nullptr) {
        throw ZipError(QStringLiteral("%1 cannot be created: %2").arg(path, OpenErrorText(error)));
    }
    path_ = path;
}

void ZipArchive::Open(const QString& path) {
    Discard();
    int error = 0;
    archive_ = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (archive_ == nullptr) {
        throw ZipError(QStringLiteral("%1 cannot be opened: %2").arg(path, OpenErrorText(error)));
    }
    path_ = path;
}

void ZipArchive::SetComment(const QString& comment) {
    RequireOpen();
    const QByteArray bytes = Encoded(comment, "comment");
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
    zip_source_t* source = zip_source_file(archive_, QFile::encodeName(path).constData(), 0, -1);
    if (source == nullptr) {
        Fail(QStringLiteral("%1 cannot be read").arg(path));
    }
    // The name is stored as it stands, without claiming UTF-8.
    const zip_int64_t index = zip_file_add(archive_, name.constData(), source, ZIP_FL_ENC_CP437);
    if (index < 0) {
        zip_source_free(source);
        Fail(QStringLiteral("%1 cannot be added").arg(path));
    }
    const bool store = info.size() < kStoreBelow;
    if (zip_set_file_compression(archive_, static_cast<zip_uint64_t>(index),
                                 store ? ZIP_CM_STORE : ZIP_CM_DEFLATE,
                                 store ? 0 : kDeflateLevel) != 0) {
        Fail(QStringLiteral("%1 cannot be compressed").arg(path));
    }
    return index;
}

void ZipArchive::SetEntryComment(qint64 index, const QString& comment) {
    RequireIndex(index);
    const QByteArray bytes = Encoded(comment, "comment");
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

bool ZipArchive::IsFolder(qint64 index) const {
    return Name(index).endsWith(QLatin1Char('/'));
}

bool ZipArchive::IsSafeEntryName(const QString& name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           !name.contains(QChar(0)) && !name.contains(QLatin1Char(':'));
}

QString ZipArchive::ExtractTo(qint64 index, const QString& folder) {
    const QString name = Name(index);
    if (!IsSafeEntryName(name)) {
        throw ZipError(
            QStringLiteral("The archive entry \"%1\" would be written outside its folder.")
                .arg(name));
    }
    const QString target = QDir(folder).filePath(name);
    std::unique_ptr<zip_file_t, FileCloser> entry(
        zip_fopen_index(archive_, static_cast<zip_uint64_t>(index), 0));
    if (!entry) {
        Fail(QStringLiteral("%1 cannot be read from the archive").arg(name));
    }
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly)) {
        throw ZipError(QStringLiteral("%1 cannot be written: %2").arg(target, file.errorString()));
    }
    char buffer[64 * 1024];
    for (;;) {
        const zip_int64_t got = zip_fread(entry.get(), buffer, sizeof buffer);
        if (got < 0) {
            // A damaged entry, its CRC among other things, shows up here.
            const QString reason = QString::fromLocal8Bit(zip_file_strerror(entry.get()));
            file.cancelWriting();
            throw ZipError(QStringLiteral("%1 in the archive is damaged: %2").arg(name, reason));
        }
        if (got == 0) {
            break;
        }
        if (file.write(buffer, got) != got) {
            const QString reason = file.errorString();
            file.cancelWriting();
            throw ZipError(QStringLiteral("%1 cannot be written: %2").arg(target, reason));
        }
    }
    if (!file.flush() || !file.commit()) {
        throw ZipError(QStringLiteral("%1 cannot be written: %2").arg(target, file.errorString()));
    }
    return target;
}

void ZipArchive::Close() {
    RequireOpen();
    if (zip_close(archive_) != 0) {
        const QString reason = QString::fromLocal8Bit(zip_strerror(archive_));
        zip_discard(archive_);
        archive_ = nullptr;
        throw ZipError(QStringLiteral("%1 cannot be written: %2").arg(path_, reason));
    }
    archive_ = nullptr;
}

void ZipArchive::Discard() {
    if (archive_ != nullptr) {
        zip_discard(archive_);
        archive_ = nullptr;
    }
}
