#pragma once

#include <QString>
#include <exception>

// The errors that end a load or a save. They are raised inside serialisation
// and caught only by SaveObjectToFile and LoadObjectFromFile.

// The file's contents are not what the reader expects.
class CArchiveException : public std::exception {
public:
    enum Cause {
        kGeneric = 1,
        kEndOfFile = 3,  // read past the end, or a count larger than what is left
        kBadIndex = 5,   // the header names another file type
        kBadClass = 6,
        kBadSchema = 7,  // the header names a newer version
        kBadValue = 8,   // a value outside the range its field can take
    };

    explicit CArchiveException(Cause cause) : cause_(cause) {}
    Cause GetCause() const { return cause_; }
    const char* what() const noexcept override { return "archive error"; }

private:
    Cause cause_;
};

// The file system refused: the platform's file-error causes, with the
// platform's own text where it has one the program does not.
class CFileException : public std::exception {
public:
    enum Cause {
        kGeneric = 1,
        kFileNotFound = 2,
        kBadPath = 3,
        kAccessDenied = 5,
        kDiskFull = 13,
    };

    explicit CFileException(Cause cause, QString text = {})
        : cause_(cause), text_(std::move(text)) {}
    // The cause of a failed system call, from its errno.
    static CFileException FromErrno(int error);

    Cause GetCause() const { return cause_; }
    const QString& GetText() const { return text_; }
    const char* what() const noexcept override { return "file error"; }

private:
    Cause cause_;
    QString text_;
};

// The user cancelled; nothing is reported.
class CUserException : public std::exception {
public:
    const char* what() const noexcept override { return "cancelled"; }
};
