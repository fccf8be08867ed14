#pragma once

#include <QStringList>

#include "views/widgets/fullwindowdialog.h"

class QListWidget;
class QToolButton;

// "System Info": the device, its processor, the platform edition and the
// program file, one fact a line, which can be saved as a text file.
class CSystemInfoDialog : public FullWindowDialog {
    Q_OBJECT

public:
    explicit CSystemInfoDialog(QWidget* parent);

    QListWidget* Lines() const { return lines_; }
    QToolButton* SaveButton() const { return save_; }

    // The lines shown.
    static QStringList InfoLines();
    // Writes the lines to `path`, one a line; false with `error` on failure.
    static bool SaveLines(const QString& path, QString& error);

private:
    void Save();

    QListWidget* lines_;
    QToolButton* save_;
};
