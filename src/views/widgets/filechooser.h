#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QFileDialog;
class QWidget;

// What a file dialog asks for.
struct FileChoice {
    QString title;
    QString folder;       // where the dialog starts when no path is given
    QString filter;       // "Expense Report(*.xpf)"
    QString suffix;       // added to a typed name without one
    bool forOpen = true;  // the file must exist; otherwise a file to save, asked before replacing
    bool many = false;    // for opening: any number of files, each tap on one adds or drops it
};

// Qt's own file dialog over `parent`'s window, laid out for the handheld's
// screen: the desktop's dialog would not fit a 240-pixel-wide window. Starts
// at `path` when it is not empty and sets it to the chosen file; false when
// the user cancelled. A file to save that exists already is chosen only when
// the user agrees to replace it.
bool ChooseFile(QWidget* parent, const FileChoice& choice, QString& path);
// The same for `choice.many`: the chosen files, in the order the list shows
// them; false when the user cancelled or chose none.
bool ChooseFiles(QWidget* parent, const FileChoice& choice, QStringList& paths);

// The dialog ChooseFile runs, ready to show.
std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, const FileChoice& choice,
                                            const QString& path);
