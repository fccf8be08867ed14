#include "views/pads/editpadmileage.h"

#include <QKeyEvent>
#include <QRegularExpression>

#include "money/deviceseparators.h"

CEditPadMileage::CEditPadMileage(QWidget* parent)
    : QLineEdit(parent), decimalSeparator_(DeviceSeparators::Current().decimal) {
    if (decimalSeparator_.isEmpty()) {
        decimalSeparator_ = QStringLiteral(".");
    }
    // Paste and the rest of the menu would type around the pad.
    setContextMenuPolicy(Qt::NoContextMenu);
    setAlignment(Qt::AlignRight);
}

bool CEditPadMileage::InsertCharacter(QChar c) {
    const bool separator = QString(c) == decimalSeparator_.left(1);
    if (!separator && !(c >= QLatin1Char('0') && c <= QLatin1Char('9'))) {
        return false;
    }
    if (!hasSelectedText() && text().size() >= limit_) {
        return false;
    }
    if (separator) {
        QString rest = text();
        if (hasSelectedText()) {
            rest.remove(selectionStart(), selectedText().size());
        }
        if (rest.contains(decimalSeparator_)) {
            return false;
        }
    }
    insert(separator ? decimalSeparator_ : QString(c));
    return true;
}

void CEditPadMileage::DeleteBack() {
    // Removes the selection, else the character before the caret; never
    // through the clipboard, which belongs to the user.
    backspace();
}

double CEditPadMileage::GetReading() const {
    static const QRegularExpression leading(QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)"));
    QString plain = text();
    plain.replace(decimalSeparator_, QStringLiteral("."));
    const QRegularExpressionMatch match = leading.match(plain);
    return match.hasMatch() ? match.captured(0).trimmed().toDouble() : 0.0;
}

QString CEditPadMileage::ReadingText(double reading) const {
    QString written = QString::asprintf("%6.1f", reading).trimmed();
    written.replace(QLatin1Char('.'), decimalSeparator_);
    return written;
}

void CEditPadMileage::SetReading(double reading) {
    setText(ReadingText(reading));
}

void CEditPadMileage::keyPressEvent(QKeyEvent* event) {
    // The focus still moves with Tab.
    event->ignore();
}

void CEditPadMileage::inputMethodEvent(QInputMethodEvent* event) {
    event->accept();
}

void CEditPadMileage::SelectAllWhenZero() {
    if (GetReading() == 0.0) {
        selectAll();
    }
}

void CEditPadMileage::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    SelectAllWhenZero();
}

void CEditPadMileage::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    SelectAllWhenZero();
}
