#pragma once

#include <QLineEdit>

// An edit field whose text is a fixed prefix, a typed region and a fixed
// suffix (a sign, a currency symbol, brackets): the caret and typing stay in
// the typed region, and Insert switches between inserting and overwriting.
// Kinds of field decide what typing does (TypeCharacter and the others).
class CNxEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit CNxEdit(QWidget* parent = nullptr);

    QString GetPrefix() const { return prefix_; }
    QString GetSuffix() const { return suffix_; }
    QString GetTyped() const;
    // Shows `prefix` + `typed` + `suffix` with the caret at `caret`.
    void SetParts(const QString& prefix, const QString& typed, const QString& suffix, int caret);

    bool IsOverwrite() const { return overwrite_; }
    void SetOverwrite(bool overwrite) { overwrite_ = overwrite; }

signals:
    // The typed region changed by typing, deleting or pasting.
    void edited();

protected:
    // `c` typed with the caret at `caret` (in the whole text); false when
    // refused. The plain field inserts or overwrites.
    virtual bool TypeCharacter(QChar c, int caret);
    // The character right of the caret (Delete) or left of it (Backspace).
    virtual bool DeleteRight(int caret);
    virtual bool DeleteLeft(int caret);
    // A pasted text replacing the typed region.
    virtual bool SetTypedText(const QString& text);
    // Called after a refused key or text, to say why where there is a reason.
    virtual void Refused() {}

    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

    // The caret brought back into the typed region.
    void KeepCaretInside();

private:
    void Typed(const QString& text);

    QString prefix_;
    QString suffix_;
    bool overwrite_ = false;
};
