#pragma once

#include <QSaveFile>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

// A QSaveFile whose bytes reach the disk while the caller is still making
// them. What is written collects in batches; each full batch goes to a second
// thread that writes it and starts the disk on it at once, so that encoding,
// copying into the page cache and the device's own writing overlap, and the
// sync before the rename finds little left to wait for. A file smaller than
// one batch is written by the caller alone, in one piece, when it finishes.
//
// A write that failed makes the next write fail with its errno, and Finish
// too: the caller sees the error of the first failed write, however late.
// Open it Unbuffered; write only through QIODevice::write.
class StreamedSaveFile : public QSaveFile {
public:
    explicit StreamedSaveFile(const QString& path);
    StreamedSaveFile(const StreamedSaveFile&) = delete;
    StreamedSaveFile& operator=(const StreamedSaveFile&) = delete;
    ~StreamedSaveFile() override;

    // Writes what is still collected and waits for every batch to be
    // written; false with errno set (0 when the system gave no cause) when
    // any write failed. The file is then ready for its sync and commit.
    bool Finish();

protected:
    qint64 writeData(const char* data, qint64 size) override;

private:
    // Gives the collected batch to the writer once it is free, starting it
    // when `more` is to come; without a writer, writes the batch here.
    // False with errno set when a write failed.
    bool PassOn(bool more);
    void WriteBatches();
    // Writes `batch` at the end of the file and starts the disk on it; gives
    // false with error_ set when the system refused part of it.
    bool WriteOut(const std::vector<char>& batch);
    void StopWriter();
    bool Failed();

    int handle_ = -1;
    qint64 started_ = 0;           // writer: bytes of the file written so far
    std::vector<char> collected_;  // caller: the batch being filled
    std::vector<char> handed_;     // writer: the batch being written, while busy_
    std::thread writer_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool busy_ = false;
    bool stopping_ = false;
    bool alone_ = false;  // no writer thread could be started
    bool failed_ = false;
    int error_ = 0;  // the errno of the write that failed
};
