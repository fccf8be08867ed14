#pragma once

#include <QString>

class QLineEdit;
class QPlainTextEdit;

// Several entries of one text (places, purposes, people) are separated by
// ", ". A picked entry goes in at the caret, in place of the selection, with
// the separator before it unless it lands at the very start; the caret ends
// up after it.
void InsertEntry(QPlainTextEdit* edit, const QString& entry);
void InsertEntry(QLineEdit* edit, const QString& entry);

// The entry that ends a list of remembered entries and opens its editor.
// It is known by its place, last, since a remembered entry may read the same.
const QString& ModifyEntryText();
