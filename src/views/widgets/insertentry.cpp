#include "views/widgets/insertentry.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace {

QString Separated(int start, const QString& entry) {
    return start > 0 ? QStringLiteral(", ") + entry : entry;
}

}  // namespace

void InsertEntry(QPlainTextEdit* edit, const QString& entry) {
    QTextCursor cursor = edit->textCursor();
    // Through the cursor, so that the edit can undo it as one step.
    cursor.insertText(Separated(cursor.selectionStart(), entry));
    edit->setTextCursor(cursor);
}

void InsertEntry(QLineEdit* edit, const QString& entry) {
    const int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    edit->insert(Separated(start, entry));
}

const QString& ModifyEntryText() {
    static const QString entry = QStringLiteral("Modify...");
    return entry;
}
