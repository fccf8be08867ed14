#include "views/pads/nxedit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <algorithm>

CNxEdit::CNxEdit(QWidget* parent) : QLineEdit(parent) {
    // The menu's Paste, Undo and Delete would bypass the typing rules.
    setContextMenuPolicy(Qt::NoContextMenu);
}

QString CNxEdit::GetTyped() const {
    return text().mid(prefix_.size(), text().size() - prefix_.size() - suffix_.size());
}

void CNxEdit::SetParts(const QString& prefix, const QString& typed, const QString& suffix,
                       int caret) {
    prefix_ = prefix;
    suffix_ = suffix;
    const QString whole = prefix + typed + suffix;
    if (text() != whole) {
        setText(whole);
    }
    setCursorPosition(caret);
    KeepCaretInside();
}

void CNxEdit::KeepCaretInside() {
    const int low = static_cast<int>(prefix_.size());
    const int high = static_cast<int>(text().size() - suffix_.size());
    const int caret = std::clamp(cursorPosition(), low, std::max(low, high));
    if (caret != cursorPosition() && !hasSelectedText()) {
        setCursorPosition(caret);
    }
}

bool CNxEdit::TypeCharacter(QChar c, int caret) {
    QString typed = GetTyped();
    const int at = caret - static_cast<int>(prefix_.size());
    if (overwrite_ && at < typed.size()) {
        typed[at] = c;
    } else {
        typed.insert(at, c);
    }
    SetParts(prefix_, typed, suffix_, caret + 1);
    return true;
}

bool CNxEdit::DeleteRight(int caret) {
    QString typed = GetTyped();
    const int at = caret - static_cast<int>(prefix_.size());
    if (at >= typed.size()) {
        return false;
    }
    typed.remove(at, 1);
    SetParts(prefix_, typed, suffix_, caret);
    return true;
}

bool CNxEdit::DeleteLeft(int caret) {
    if (caret <= prefix_.size()) {
        return false;
    }
    return DeleteRight(caret - 1);
}

bool CNxEdit::SetTypedText(const QString& text) {
    SetParts(prefix_, text, suffix_, static_cast<int>(prefix_.size() + text.size()));
    return true;
}

void CNxEdit::Typed(const QString& text) {
    for (QChar c : text) {
        if (!TypeCharacter(c, cursorPosition())) {
            Refused();
            return;
        }
        emit edited();
    }
}

void CNxEdit::keyPressEvent(QKeyEvent* event) {
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool control = event->modifiers() & Qt::ControlModifier;
    bool done = true;
    switch (event->key()) {
        case Qt::Key_End:
        case Qt::Key_Home:
        case Qt::Key_Left:
        case Qt::Key_Up:
        case Qt::Key_Right:
        case Qt::Key_Down:
            QLineEdit::keyPressEvent(event);
            if (!shift) {
                KeepCaretInside();
            }
            return;
        case Qt::Key_Insert:
            if (control) {
                QLineEdit::keyPressEvent(event);  // copies
                return;
            }
            if (!shift) {
                overwrite_ = !overwrite_;
                return;
            }
            done = SetTypedText(QGuiApplication::clipboard()->text());
            break;
        case Qt::Key_Delete:
            if (shift) {
                return;  // would cut the text around the rules
            }
            done = DeleteRight(cursorPosition());
            break;
        case Qt::Key_Backspace:
            done = DeleteLeft(cursorPosition());
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            event->ignore();
            return;
        default:
            if (event->matches(QKeySequence::Paste)) {
                done = SetTypedText(QGuiApplication::clipboard()->text());
            } else if (event->matches(QKeySequence::Copy) ||
                       event->matches(QKeySequence::SelectAll)) {
                QLineEdit::keyPressEvent(event);
                return;
            } else if (!event->text().isEmpty() && event->text()[0].isPrint()) {
                Typed(event->text());
                return;
            } else {
                // Cut, undo and the rest would change the text around the rules.
                event->ignore();
                return;
            }
    }
    if (done) {
        emit edited();
    } else {
        Refused();
    }
}

void CNxEdit::inputMethodEvent(QInputMethodEvent* event) {
    // A soft keyboard's text is typed a character at a time, as keys are.
    Typed(event->commitString());
    event->accept();
}

void CNxEdit::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    KeepCaretInside();
}

void CNxEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    KeepCaretInside();
}
