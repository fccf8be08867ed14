#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstring>

#include "archive/sharedtexts.h"
#include "archive/streamchecksum.h"
#include "platform/clock.h"

class QIODevice;

// The byte stream every Serialize works on: little-endian integers, IEEE 754
// doubles, length-prefixed UTF-16 strings and counts, exactly as the data
// files hold them. Errors are thrown: CArchiveException for contents that do
// not fit (reading past the end, a length or count larger than the bytes
// left), CFileException when the device fails.
//
// Nothing read from a file is trusted: every length and count is checked
// against the bytes that are left before anything is allocated for it.
class CExpenseArchive {
public:
    enum class Mode { kStore, kLoad };

    // The device must be open in the matching direction; it is not owned.
    // `filePath` is the full path of the file behind it, when there is one.
    CExpenseArchive(QIODevice& device, Mode mode, QString filePath = {});
    CExpenseArchive(const CExpenseArchive&) = delete;
    CExpenseArchive& operator=(const CExpenseArchive&) = delete;

    bool IsLoading() const { return mode_ == Mode::kLoad; }
    bool IsStoring() const { return mode_ == Mode::kStore; }
    const QString& GetFilePath() const { return filePath_; }

    // Type code and version read from the file header (0 until one is read).
    quint32 GetFileType() const { return fileType_; }
    quint32 GetFileVersion() const { return fileVersion_; }
    void SetFileHeader(quint32 type, quint32 version);

    void WriteInt32(qint32 value) { WriteUInt32(static_cast<quint32>(value)); }
    void WriteUInt32(quint32 value);
    void WriteBool(bool value) { WriteUInt32(value ? 1 : 0); }
    // Seconds since 1970 as 32 bits unsigned; times outside that range are
    // held at its ends.
    void WriteTime(TimeStamp value);
    void WriteDouble(double value);
    void WriteString(const QString& value);
    // The count of a string or integer array: 2 bytes, or FF FF and 4 bytes.
    void WriteCount(quint32 count);
    void WriteIntArray(const QList<qint32>& values);
    void WriteStringArray(const QStringList& values);
    void WriteBytes(const QByteArray& bytes);

    qint32 ReadInt32() { return static_cast<qint32>(ReadUInt32()); }
    quint32 ReadUInt32();
    // A 32-bit flag: 0 or 1, anything else is a damaged value.
    bool ReadBool();
    TimeStamp ReadTime() { return ReadUInt32(); }
    double ReadDouble();
    QString ReadString();
    quint32 ReadCount();
    QList<qint32> ReadIntArray();
    QStringList ReadStringArray();
    QByteArray ReadBytes(qint64 size);

    // Reading a collection written with a 32-bit count: end-of-file unless
    // the bytes left can hold `count` elements of at least `minElementBytes`.
    void CheckCount(quint64 count, quint64 minElementBytes);
    // Reading: a value read that lies outside what its field can hold ends
    // the load as damaged (kBadValue) unless `inRange`. A damaged value
    // loaded anyway would spread into every total and file it reaches.
    // Storing: nothing, what the program holds is written as it is.
    // While tolerating (BeginTolerance), a damaged value is only noted.
    void CheckValue(bool inRange);
    // Reading an object whose layout holds even when its values are damaged:
    // the values are read to the object's end and EndTolerance tells whether
    // any was damaged, so that the reader can set the object aside and go on
    // with the next one.
    void BeginTolerance();
    bool EndTolerance();
    // Whether a value read since BeginTolerance was damaged.
    bool DamageNoted() const { return damaged_; }
    // The bytes not yet read.
    qint64 BytesLeft() const;
    // Reading: the bytes not yet read that are in the buffer already (any
    // number of those left, even none), valid until the next call on the
    // archive; and passing over the first `size` of them, as if read.
    QByteArrayView Buffered() const;
    void SkipBuffered(qsizetype size);
    // Reading ahead, only a hint: for the short string whose header begins
    // `offset` bytes into Buffered(), SharedTexts::Prefetch.
    void PrefetchString(qsizetype offset, bool text) const;

    // One call for both directions: stores the value or reads it into place.
    void Exchange(qint32& value);
    void Exchange(quint32& value);
    void Exchange(double& value);
    void Exchange(QString& value);
    void ExchangeBool(bool& value);
    void ExchangeTime(TimeStamp& value);

    // A checksum of every byte moved between the archive and its device so
    // far: after a whole file was read or written, the file's checksum.
    quint64 GetChecksum() const { return checksum_.Value(); }
    // Keeps the bytes read or written from here on until EndCapture, which
    // gives them; the view is valid until the next call on the archive.
    void BeginCapture();
    QByteArrayView EndCapture();

    // Reading: the last `size` bytes read, while they are still in the
    // buffer, else an empty view; valid until the next call on the archive.
    QByteArrayView LastRead(qsizetype size) const;

    // Writes what is buffered to the device (storing); throws on failure.
    void Close();
    // Drops what is buffered, after an error.
    void Abort();

private:
    // Fields go into the buffer with a plain copy while they fit.
    void Put(const char* data, qsizetype size) {
        if (size < buffer_.size() - bufferPos_) {
            std::memcpy(buffer_.data() + bufferPos_, data, static_cast<size_t>(size));
            bufferPos_ += size;
            return;
        }
        PutSlow(data, size);
    }
    void PutSlow(const char* data, qsizetype size);
    void Flush();
    // The fields of a record are a few bytes each and nearly always in the
    // buffer already: those take the short way, the rest TakeSlow.
    void Take(char* data, qint64 size) {
        if (size <= buffer_.size() - bufferPos_) {
            std::memcpy(data, buffer_.constData() + bufferPos_, static_cast<size_t>(size));
            bufferPos_ += size;
            return;
        }
        TakeSlow(data, size);
    }
    void TakeSlow(char* data, qint64 size);
    void Require(quint64 bytes) const;
    // Before the buffer's bytes up to `end` are dropped: a capture keeps them.
    void KeepCaptured(qsizetype end);
    quint16 ReadUInt16();
    // Reading: the length of a string and whether it is stored wide.
    quint64 ReadStringHeader(bool& wide);
    QString ReadNarrowString(quint64 length);

    static constexpr qsizetype kLongestSharedText = 40;

    QIODevice& device_;  // not owned
    Mode mode_;
    QString filePath_;
    quint32 fileType_ = 0;
    quint32 fileVersion_ = 0;
    QByteArray buffer_;
    qsizetype bufferPos_ = 0;  // the next byte of buffer_ to read, or to write
    qint64 deviceLeft_ = 0;    // loading: bytes of the device not yet buffered
    SharedTexts sharedTexts_;  // loading: the short texts read so far
    StreamChecksum checksum_;
    bool tolerating_ = false;
    bool damaged_ = false;
    bool capturing_ = false;
    QByteArray capture_;         // captured bytes that left the buffer
    qsizetype captureFrom_ = 0;  // the capture's first byte still in the buffer
};
