#pragma once

#include <QWidget>
#include <functional>

class BackupEngine;
class QLabel;
class QProgressBar;
class QPushButton;

// The progress of a backup or restore of more than a few files, over the
// whole sheet so that nothing else can be tapped meanwhile: the file being
// written, a bar, and "Cancel", which stops the work before the next file.
// Shorter work shows only the wait cursor.
class CBackupProgress : public QWidget {
    Q_OBJECT

public:
    // Work of up to this many files shows no progress.
    static constexpr int kFewFiles = 5;

    explicit CBackupProgress(QWidget* parent);

    // Runs `work` on `engine` under the wait cursor, with this display
    // following the engine's files; `verb` tells what happens to each file
    // ("Saving"). Returns what `work` returned.
    int Run(BackupEngine& engine, const QString& verb, const std::function<int()>& work);

    // Starts a run by hand.
    void Begin(const QString& verb);
    // Before file `done` of `total`; false once the user cancelled.
    bool Step(int done, int total, const QString& name);
    void End();

    QLabel* FileLabel() const { return file_; }
    QProgressBar* Bar() const { return bar_; }
    QPushButton* CancelButton() const { return cancel_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // After the display of a step, before the check for a cancel.
    void stepped(int done);

private:
    QString verb_;
    QLabel* file_;
    QProgressBar* bar_;
    QPushButton* cancel_;
    bool cancelled_ = false;
};
