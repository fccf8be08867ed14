#pragma once

#include "views/settings/listitems.h"
#include "views/widgets/fullwindowdialog.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QToolButton;

// "Payment Source", "Modify Classification", "Modify Category": the picture,
// the name and the list of pictures of one item, and for a payment source
// who pays the bill. Save refuses an empty name and one another item has,
// offers to carry an edit into stored expenses, and writes the list; Delete
// asks first. A refusal leaves the dialog open as the user left it.
class CItemEditorDialog : public FullWindowDialog {
    Q_OBJECT

public:
    // The result when the item was deleted.
    static constexpr int kDeleted = 2;

    // `startName` is the item to edit; empty for a new one.
    CItemEditorDialog(CExpenseDoc& document, CListItems::Kind kind, const QString& startName,
                      QWidget* parent);

    // The name the item was saved under; empty before.
    QString SavedName() const { return saved_; }

    QLineEdit* NameField() const { return name_; }
    QToolButton* ImageButton() const { return image_; }
    QListWidget* Images() const { return images_; }
    QRadioButton* PersonalButton() const { return personal_; }
    QRadioButton* BusinessButton() const { return business_; }
    QToolButton* SaveButton() const { return save_; }
    QToolButton* CancelButton() const { return cancel_; }
    QToolButton* DeleteButton() const { return delete_; }
    // The picture the item takes on Save.
    QString ImageName() const { return imageName_; }

    void accept() override;

protected:
    void ApplyLayout(ScreenLayout layout) override;

private:
    void ShowImage(const QString& imageName);
    void AskDelete();

    CExpenseDoc& document_;  // not owned
    CListItems items_;
    QString startName_;
    CListItems::Item before_;
    QString imageName_;
    QString saved_;
    QToolButton* image_;
    QLabel* nameLabel_;
    QLineEdit* name_;
    QGroupBox* paymentType_ = nullptr;
    QLabel* whoPays_ = nullptr;
    QRadioButton* personal_ = nullptr;
    QRadioButton* business_ = nullptr;
    QListWidget* images_;
    QToolButton* save_;
    QToolButton* cancel_;
    QToolButton* delete_;
};
