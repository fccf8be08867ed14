#include "archive/expensearchive.h"

#include <QIODevice>
#include <QtEndian>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "archive/fileerrors.h"
#include "platform/codepage.h"

namespace {

// Writes go to the device in chunks of this size, reads come in chunks of it.
constexpr qsizetype kChunk = 64 * 1024;

constexpr unsigned char kWideMarker[] = {0xFF, 0xFE, 0xFF};

}  // namespace

CExpenseArchive::CExpenseArchive(QIODevice& device, Mode mode, QString filePath)
    : device_(device), mode_(mode), filePath_(std::move(filePath)) {
    if (mode_ == Mode::kLoad) {
        deviceLeft_ = device_.isSequential() ? 0 : device_.size() - device_.pos();
    } else {
        buffer_.resize(kChunk);
    }
}

void CExpenseArchive::SetFileHeader(quint32 type, quint32 version) {
    fileType_ = type;
    fileVersion_ = version;
}

void CExpenseArchive::PutSlow(const char* data, qsizetype size) {
    buffer_.resize(std::max(kChunk, bufferPos_ + size));
    std::memcpy(buffer_.data() + bufferPos_, data, static_cast<size_t>(size));
    bufferPos_ += size;
    if (bufferPos_ >= kChunk) {
        Flush();
    }
}

void CExpenseArchive::Flush() {
    KeepCaptured(bufferPos_);
    checksum_.Add(buffer_.constData(), bufferPos_);
    const char* data = buffer_.constData();
    qint64 left = bufferPos_;
    while (left > 0) {
        errno = 0;
        const qint64 written = device_.write(data, left);
        if (written <= 0) {
            // A short or failed write means the file does not hold the object.
            const int error = errno;
            bufferPos_ = 0;
            throw error != 0 ? CFileException::FromErrno(error)
                             : CFileException(CFileException::kGeneric, device_.errorString());
        }
        data += written;
        left -= written;
    }
    bufferPos_ = 0;
}

void CExpenseArchive::WriteUInt32(quint32 value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    Put(bytes, 4);
}

void CExpenseArchive::WriteTime(TimeStamp value) {
    WriteUInt32(static_cast<quint32>(std::clamp<TimeStamp>(value, 0, 0xFFFFFFFFLL)));
}

void CExpenseArchive::WriteDouble(double value) {
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    char bytes[8];
    qToLittleEndian(bits, bytes);
    Put(bytes, 8);
}

void CExpenseArchive::WriteString(const QString& value) {
    Put(reinterpret_cast<const char*>(kWideMarker), 3);
    const quint64 length = static_cast<quint64>(value.size());
    if (length < 0xFF) {
        const char byte = static_cast<char>(length);
        Put(&byte, 1);
    } else if (length < 0xFFFE) {
        char bytes[3] = {'\xFF'};
        qToLittleEndian(static_cast<quint16>(length), bytes + 1);
        Put(bytes, 3);
    } else {
        char bytes[7] = {'\xFF', '\xFF', '\xFF'};
        qToLittleEndian(static_cast<quint32>(length), bytes + 3);
        Put(bytes, 7);
    }
    if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
        Put(reinterpret_cast<const char*>(value.utf16()), value.size() * 2);
    } else {
        for (QChar c : value) {
            char bytes[2];
            qToLittleEndian(c.unicode(), bytes);
            Put(bytes, 2);
        }
    }
}

void CExpenseArchive::WriteCount(quint32 count) {
    if (count < 0xFFFF) {
        char bytes[2];
        qToLittleEndian(static_cast<quint16>(count), bytes);
        Put(bytes, 2);
    } else {
        char bytes[6] = {'\xFF', '\xFF'};
        qToLittleEndian(count, bytes + 2);
        Put(bytes, 6);
    }
}

void CExpenseArchive::WriteIntArray(const QList<qint32>& values) {
    WriteCount(static_cast<quint32>(values.size()));
    for (qint32 value : values) {
        WriteInt32(value);
    }
}

void CExpenseArchive::WriteStringArray(const QStringList& values) {
    WriteCount(static_cast<quint32>(values.size()));
    for (const QString& value : values) {
        WriteString(value);
    }
}

void CExpenseArchive::WriteBytes(const QByteArray& bytes) {
    Put(bytes.constData(), bytes.size());
}

qint64 CExpenseArchive::BytesLeft() const {
    return deviceLeft_ + (buffer_.size() - bufferPos_);
}

QByteArrayView CExpenseArchive::Buffered() const {
    if (!IsLoading()) {
        return {};
    }
    return QByteArrayView(buffer_.constData() + bufferPos_, buffer_.size() - bufferPos_);
}

void CExpenseArchive::SkipBuffered(qsizetype size) {
    Q_ASSERT(IsLoading() && size >= 0 && size <= buffer_.size() - bufferPos_);
    bufferPos_ += size;
}

void CExpenseArchive::PrefetchString(qsizetype offset, bool text) const {
    const QByteArrayView ahead = Buffered();
    if (offset < 0 || ahead.size() - offset < 4) {
        return;
    }
    const char* const at = ahead.data() + offset;
    const qsizetype units = static_cast<uchar>(at[3]);
    if (std::memcmp(at, kWideMarker, sizeof kWideMarker) == 0 && units > 0 &&
        units <= kLongestSharedText && 4 + units * 2 <= ahead.size() - offset) {
        sharedTexts_.Prefetch(at + 4, units, text);
    }
}

void CExpenseArchive::Require(quint64 bytes) const {
    if (bytes > static_cast<quint64>(BytesLeft())) {
        throw CArchiveException(CArchiveException::kEndOfFile);
    }
}

void CExpenseArchive::CheckCount(quint64 count, quint64 minElementBytes) {
    // Written so that the product cannot overflow.
    if (minElementBytes != 0 && count > static_cast<quint64>(BytesLeft()) / minElementBytes) {
        throw CArchiveException(CArchiveException::kEndOfFile);
    }
}

void CExpenseArchive::CheckValue(bool inRange) {
    if (IsLoading() && !inRange) {
        if (tolerating_) {
            damaged_ = true;
            return;
        }
        throw CArchiveException(CArchiveException::kBadValue);
    }
}

void CExpenseArchive::BeginTolerance() {
    tolerating_ = true;
    damaged_ = false;
}

bool CExpenseArchive::EndTolerance() {
    tolerating_ = false;
    return std::exchange(damaged_, false);
}

bool CExpenseArchive::ReadBool() {
    const quint32 value = ReadUInt32();
    CheckValue(value <= 1);
    return value != 0;
}

void CExpenseArchive::TakeSlow(char* data, qint64 size) {
    Require(static_cast<quint64>(size));
    while (size > 0) {
        if (bufferPos_ == buffer_.size()) {
            KeepCaptured(bufferPos_);
            const qint64 want = std::min<qint64>(kChunk, deviceLeft_);
            buffer_.resize(want);
            const qint64 got = want > 0 ? device_.read(buffer_.data(), want) : 0;
            if (got <= 0) {
                buffer_.clear();
                bufferPos_ = 0;
                deviceLeft_ = 0;
                throw CArchiveException(CArchiveException::kEndOfFile);
            }
            buffer_.resize(got);
            bufferPos_ = 0;
            deviceLeft_ -= got;
            checksum_.Add(buffer_.constData(), got);
        }
        const qint64 part = std::min<qint64>(size, buffer_.size() - bufferPos_);
        std::memcpy(data, buffer_.constData() + bufferPos_, part);
        bufferPos_ += part;
        data += part;
        size -= part;
    }
}

quint16 CExpenseArchive::ReadUInt16() {
    char bytes[2];
    Take(bytes, 2);
    return qFromLittleEndian<quint16>(bytes);
}

quint32 CExpenseArchive::ReadUInt32() {
    char bytes[4];
    Take(bytes, 4);
    return qFromLittleEndian<quint32>(bytes);
}

double CExpenseArchive::ReadDouble() {
    char bytes[8];
    Take(bytes, 8);
    const quint64 bits = qFromLittleEndian<quint64>(bytes);
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

QString CExpenseArchive::ReadString() {
    // Nearly every string this program wrote is the wide marker, a length
    // byte and the text, all in the buffer already: taken in one step.
    const qsizetype inBuffer = buffer_.size() - bufferPos_;
    const char* const at = buffer_.constData() + bufferPos_;
    if (inBuffer >= 4 && std::memcmp(at, kWideMarker, sizeof kWideMarker) == 0 &&
        static_cast<uchar>(at[3]) < 0xFF) {
        const qsizetype units = static_cast<uchar>(at[3]);
        if (4 + units * 2 <= inBuffer) {
            bufferPos_ += 4 + units * 2;
            if (units == 0) {
                // Empty, not null, as every string read is; and no storage.
                return QString(units, Qt::Uninitialized);
            }
            if (units <= kLongestSharedText) {
                return sharedTexts_.Find(at + 4, units);
            }
            QString text(units, Qt::Uninitialized);
            std::memcpy(text.data(), at + 4, static_cast<size_t>(units) * 2);
            if constexpr (Q_BYTE_ORDER != Q_LITTLE_ENDIAN) {
                for (QChar& c : text) {
                    c = QChar(qFromLittleEndian(c.unicode()));
                }
            }
            return text;
        }
    }
    bool wide = false;
    const quint64 length = ReadStringHeader(wide);
    if (!wide) {
        QString text = ReadNarrowString(length);
        if (text.size() > kLongestSharedText || text.isEmpty()) {
            return text;
        }
        return sharedTexts_.Find(text);
    }
    Require(length * 2);
    const auto units = static_cast<qsizetype>(length);
    const qsizetype size = units * 2;
    // A report repeats the same few category, payment source, currency and
    // place names in every expense: one copy of each short text serves all
    // of them and saves most of a record's memory. It is found by the bytes
    // in the buffer, before anything is decoded or allocated.
    if (units > 0 && units <= kLongestSharedText && size <= buffer_.size() - bufferPos_) {
        QString shared = sharedTexts_.Find(buffer_.constData() + bufferPos_, units);
        bufferPos_ += size;
        return shared;
    }
    // Any other text is read straight into its own storage.
    QString text(units, Qt::Uninitialized);
    Take(reinterpret_cast<char*>(text.data()), size);
    if constexpr (Q_BYTE_ORDER != Q_LITTLE_ENDIAN) {
        for (QChar& c : text) {
            c = QChar(qFromLittleEndian(c.unicode()));
        }
    }
    if (units > 0 && units <= kLongestSharedText) {
        return sharedTexts_.Find(text);
    }
    return text;
}

quint64 CExpenseArchive::ReadStringHeader(bool& wide) {
    wide = false;
    for (;;) {
        unsigned char first = 0;
        Take(reinterpret_cast<char*>(&first), 1);
        if (first < 0xFF) {
            return first;
        }
        const quint16 word = ReadUInt16();
        if (word == 0xFFFE && !wide) {
            wide = true;  // the wide marker; the length follows
            continue;
        }
        return word == 0xFFFF ? ReadUInt32() : word;
    }
}

QString CExpenseArchive::ReadNarrowString(quint64 length) {
    return DecodeDeviceCodePage(ReadBytes(static_cast<qint64>(length)));
}

quint32 CExpenseArchive::ReadCount() {
    const quint16 count = ReadUInt16();
    return count == 0xFFFF ? ReadUInt32() : count;
}

QList<qint32> CExpenseArchive::ReadIntArray() {
    const quint32 count = ReadCount();
    CheckCount(count, 4);
    QList<qint32> values;
    values.reserve(count);
    for (quint32 i = 0; i < count; ++i) {
        values.append(ReadInt32());
    }
    return values;
}

QStringList CExpenseArchive::ReadStringArray() {
    const quint32 count = ReadCount();
    CheckCount(count, 1);
    QStringList values;
    values.reserve(count);
    for (quint32 i = 0; i < count; ++i) {
        values.append(ReadString());
    }
    return values;
}

QByteArray CExpenseArchive::ReadBytes(qint64 size) {
    Require(static_cast<quint64>(size));
    QByteArray bytes(size, Qt::Uninitialized);
    Take(bytes.data(), size);
    return bytes;
}

void CExpenseArchive::Exchange(qint32& value) {
    if (IsStoring()) {
        WriteInt32(value);
    } else {
        value = ReadInt32();
    }
}

void CExpenseArchive::Exchange(quint32& value) {
    if (IsStoring()) {
        WriteUInt32(value);
    } else {
        value = ReadUInt32();
    }
}

void CExpenseArchive::Exchange(double& value) {
    if (IsStoring()) {
        WriteDouble(value);
    } else {
        value = ReadDouble();
    }
}

void CExpenseArchive::Exchange(QString& value) {
    if (IsStoring()) {
        WriteString(value);
    } else {
        value = ReadString();
    }
}

void CExpenseArchive::ExchangeBool(bool& value) {
    if (IsStoring()) {
        WriteBool(value);
    } else {
        value = ReadBool();
    }
}

void CExpenseArchive::ExchangeTime(TimeStamp& value) {
    if (IsStoring()) {
        WriteTime(value);
    } else {
        value = ReadTime();
    }
}

void CExpenseArchive::Close() {
    if (IsStoring()) {
        Flush();
    }
}

void CExpenseArchive::BeginCapture() {
    capturing_ = true;
    capture_.clear();
    captureFrom_ = bufferPos_;
}

QByteArrayView CExpenseArchive::EndCapture() {
    const qsizetype end = bufferPos_;
    capturing_ = false;
    if (capture_.isEmpty()) {
        // The usual case: the bytes never left the buffer, no copy needed.
        return QByteArrayView(buffer_.constData() + captureFrom_, end - captureFrom_);
    }
    capture_.append(buffer_.constData() + captureFrom_, end - captureFrom_);
    return QByteArrayView(capture_);
}

QByteArrayView CExpenseArchive::LastRead(qsizetype size) const {
    if (!IsLoading() || size < 0 || size > bufferPos_) {
        return {};
    }
    return QByteArrayView(buffer_.constData() + bufferPos_ - size, size);
}

void CExpenseArchive::KeepCaptured(qsizetype end) {
    if (capturing_) {
        capture_.append(buffer_.constData() + captureFrom_, end - captureFrom_);
        captureFrom_ = 0;
    }
}

void CExpenseArchive::Abort() {
    capturing_ = false;
    buffer_.clear();
    bufferPos_ = 0;
}
