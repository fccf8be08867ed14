#pragma once

#include <QMap>

#include "views/settings/listitems.h"
#include "views/widgets/fullwindowdialog.h"

class CExpenseDoc;
class QGridLayout;
class QToolButton;

// "Preferences": one picture button for each settings page and list editor
// (SettingsItem types 1 to 6), each opening its page over this screen.
class CSettingsDialog : public FullWindowDialog {
    Q_OBJECT

public:
    CSettingsDialog(CExpenseDoc& document, QWidget* parent);

    // The button of a SettingsItem type; null for a type not shown.
    QToolButton* Button(int type) const { return buttons_.value(type); }
    // Opens the page or editor of a SettingsItem type.
    void OpenPage(int type);

signals:
    // A page changed stored expenses or brought a report back: the lists
    // of the window behind are out of date.
    void refreshRequested();

protected:
    void ApplyLayout(ScreenLayout layout) override;

private:
    // The list of payment sources or classifications, to keep.
    void OpenList(CListItems::Kind kind);

    CExpenseDoc& document_;  // not owned
    QMap<int, QToolButton*> buttons_;
    QGridLayout* grid_ = nullptr;  // owned by the body
};
