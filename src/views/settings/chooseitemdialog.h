#pragma once

#include "views/settings/listitems.h"
#include "views/widgets/fullwindowdialog.h"

class QListWidget;
class QToolButton;

// "Choose Paid With", "Choose Classification", "Choose Category": the list's
// items with their pictures. OK returns the one picked; "New", "Edit" and
// "Delete" keep the list through the item editor, so the same screen is
// where the settings screen and the main screen send the user to maintain
// it.
class CChooseItemDialog : public FullWindowDialog {
    Q_OBJECT

public:
    // Picking returns an item; keeping the list is all the settings screen
    // and the main screen's "Modify..." come for, so OK there only closes
    // and a double tap edits.
    enum class Use { Pick, Keep };

    // `current`, when listed, starts selected.
    CChooseItemDialog(CExpenseDoc& document, CListItems::Kind kind, const QString& current,
                      QWidget* parent, Use use = Use::Pick);

    // The name of the item picked with OK; empty before.
    QString ChosenName() const { return chosen_; }
    // True once the list was changed through the editor.
    bool ListChanged() const { return changed_; }
    // The item the chooser started at, under the name it has now: renamed
    // in the editor, or empty once deleted.
    QString CurrentName() const { return current_; }

    QListWidget* List() const { return list_; }
    QToolButton* NewButton() const { return new_; }
    QToolButton* EditButton() const { return edit_; }
    QToolButton* DeleteButton() const { return delete_; }
    QToolButton* CancelButton() const { return cancel_; }

    void accept() override;

private:
    void Fill(const QString& selected);
    QString SelectedName() const;
    void UpdateCommands();
    void OpenEditor(const QString& name);
    void DeleteSelected();

    CExpenseDoc& document_;  // not owned
    CListItems items_;
    Use use_;
    QListWidget* list_;
    QToolButton* new_;
    QToolButton* edit_;
    QToolButton* delete_;
    QToolButton* cancel_;
    QString current_;
    QString chosen_;
    bool changed_ = false;
};
