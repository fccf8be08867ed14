#include "views/widgets/storeddateedit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>

#include "archive/storeddays.h"
#include "platform/platform.h"
#include "platform/prompts.h"
#include "views/widgets/appfont.h"

StoredDateEdit::StoredDateEdit(const QDate& day, const QString& name, QWidget* parent)
    : QDateEdit(day, parent) {
    setFont(AppFont());
    setAccessibleName(name);
    setCalendarPopup(true);
    setDisplayFormat(StoredDays::Picture());
}

bool StoredDateEdit::CheckDay() {
    if (StoredDays::Contains(date())) {
        return true;
    }
    // The message box takes the focus, which must not tell it twice.
    if (!telling_) {
        telling_ = true;
        Platform::Get().GetPrompts().Warning(StoredDays::Message());
        telling_ = false;
        setFocus(Qt::OtherFocusReason);
        lineEdit()->selectAll();
    }
    return false;
}

void StoredDateEdit::focusOutEvent(QFocusEvent* event) {
    QDateEdit::focusOutEvent(event);
    // Only going on to another control of the dialog is leaving the field:
    // not the calendar opening, a message box, or the dialog closing.
    const QWidget* next = QApplication::focusWidget();
    if (next != nullptr && next != this && !isAncestorOf(next) && next->window() == window()) {
        CheckDay();
    }
}
