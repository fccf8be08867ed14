#pragma once

#include "views/widgets/fullwindowdialog.h"

class CHistory;
class QListWidget;
class QToolButton;

// "Modify List": the entries of one remembered-text list, alphabetical as
// the list keeps them, with Add, Modify and Delete. The list is written back
// after every change and once more when the dialog closes.
class CModifyListDialog : public FullWindowDialog {
    Q_OBJECT

public:
    // Edits `history` (not owned). `startText`, the text the user had
    // selected where the list was offered, is selected in the list when it is
    // an entry, and else is what a first Add proposes.
    CModifyListDialog(CHistory& history, const QString& startText, QWidget* parent);

    // Runs the dialog on `history`.
    static void Run(CHistory& history, const QString& startText, QWidget* parent);

    QListWidget* List() const { return list_; }
    QToolButton* AddButton() const { return add_; }
    QToolButton* ModifyButton() const { return modify_; }
    QToolButton* DeleteButton() const { return delete_; }

    void done(int result) override;

private:
    void Fill(int select);
    void UpdateCommands();
    void AddEntry();
    void ModifyEntry();
    void DeleteEntry();
    // Selects the entry that was just written, wherever sorting put it.
    void Written(const QString& entry);

    CHistory& history_;  // not owned
    QString proposal_;
    QListWidget* list_;
    QToolButton* add_;
    QToolButton* modify_;
    QToolButton* delete_;
};
