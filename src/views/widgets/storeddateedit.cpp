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
        toldFor_ = date();
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
    if (next == nullptr || next == this || isAncestorOf(next) || next->window() != window()) {
        return;
    }
    // Told once for a day: the user may then go on and come back to it. A
    // tap that left the field for a command which checks the day itself
    // (Save, OK) has told by the time this runs.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (date() != toldFor_) {
                CheckDay();
            }
        },
        Qt::QueuedConnection);
}
