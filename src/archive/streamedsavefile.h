#pragma once

#include <QSaveFile>
#include <vector>

// A QSaveFile whose bytes reach the disk while the caller is still making
// them. What is written collects in batches of a megabyte; each full batch is
// written at once and the disk started on it without waiting, so that the
// device's own writing overlaps the encoding of what follows, and the sync
// before the rename finds little left to wait for. A file smaller than one
// batch is written in one piece when it finishes.
//
// (A second thread that wrote the batches while the caller encoded lost to
// this on a busy two-core machine: it competes for the processor the
// encoding needs, and waits for it.)
//
// Open it Unbuffered; write only through QIODevice::write.
class StreamedSaveFile : public QSaveFile {
public:
    explicit StreamedSaveFile(const QString& path);

    // Writes what is still collected; false with errno set (0 when the
    // system gave no cause) when that failed. The file is then ready for its
    // sync and commit.
    bool Finish();

protected:
    qint64 writeData(const char* data, qint64 size) override;

private:
    // Writes the collected batch at the end of the file and, with `more` to
    // come, starts the disk on it; false with errno set when the system
    // refused part of it.
    bool WriteOut(bool more);

    qint64 started_ = 0;           // bytes of the file written so far
    std::vector<char> collected_;  // the batch being filled
};
