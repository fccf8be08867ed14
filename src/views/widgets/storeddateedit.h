#pragma once

#include <QDateEdit>

// A date field that takes only the days a file can store (StoredDays). A day
// outside them is not corrected behind the user's back: leaving the field
// says which days are possible (once for each day typed), and so does
// confirming the dialog (CheckDay); either puts the focus back on the date as
// it was typed.
class StoredDateEdit : public QDateEdit {
    Q_OBJECT

public:
    // Shows `day` in the device's short date, with a calendar.
    StoredDateEdit(const QDate& day, const QString& name, QWidget* parent);

    // Whether the day shown can be stored; if not, the user is told and the
    // field takes the focus.
    bool CheckDay();

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool telling_ = false;
    QDate toldFor_;  // the last day the user was told about
};
