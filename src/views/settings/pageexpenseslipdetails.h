#pragma once

#include <QWidget>

class BitmapButton;
class QMenu;
class QPlainTextEdit;

// One of an expense's details texts: where, what for or with whom, in an edit
// box beside a button that offers what the user keeps for it. "Location" and
// "Purpose" pop up the remembered places or purposes and the list's editor;
// "Contacts" opens the contacts sheet. A picked entry goes in at the caret.
class CPageExpenseSlipDetails : public QWidget {
    Q_OBJECT

public:
    enum Kind { kLocation = 0, kPurpose = 1, kContacts = 2 };
    static constexpr int kKinds = 3;

    CPageExpenseSlipDetails(Kind kind, const QString& text, QWidget* parent);

    Kind GetKind() const { return kind_; }
    // The button's caption and the page's name: "Location", "Purpose" or
    // "Contacts".
    static QString Caption(Kind kind);
    QString Text() const;
    BitmapButton* Button() const { return button_; }
    QPlainTextEdit* Edit() const { return edit_; }

    // The pop-up of remembered entries, with the list's editor last, for a
    // look at it; its actions' data are the entries, the editor's has none.
    QMenu* MakePopUp();

private:
    void Offer();
    void PickContacts();

    Kind kind_;
    BitmapButton* button_;
    QPlainTextEdit* edit_;
};
