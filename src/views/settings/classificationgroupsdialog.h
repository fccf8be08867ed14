#pragma once

#include "views/widgets/fullwindowdialog.h"

class CClassificationGroupMgr;
class QListWidget;
class QToolButton;

// The classification groups by name: "Add", "Rename" and "Delete" each
// change the groups and write them back at once, saying so when the file
// cannot be written.
class CClassificationGroupsDialog : public FullWindowDialog {
    Q_OBJECT

public:
    CClassificationGroupsDialog(CClassificationGroupMgr& groups, QWidget* parent);

    QListWidget* List() const { return list_; }
    QToolButton* AddButton() const { return add_; }
    QToolButton* RenameButton() const { return rename_; }
    QToolButton* DeleteButton() const { return delete_; }

    void Add();
    void Rename();
    void Delete();

    static const QString& DuplicateMessage();

protected:
    void ApplyLayout(ScreenLayout layout) override;

private:
    // Lists the groups again, selecting `selected` when it is one of them.
    void Fill(const QString& selected);
    void UpdateCommands();
    QString Selected() const;

    CClassificationGroupMgr& groups_;  // not owned
    QListWidget* list_;
    QToolButton* add_;
    QToolButton* rename_;
    QToolButton* delete_;
};
