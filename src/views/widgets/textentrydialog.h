#pragma once

#include <functional>

#include "views/widgets/fullwindowdialog.h"

class QLabel;
class QLineEdit;

// One line of text asked for on a screen of its own: a name for a list
// entry, a contact, a group, an account number. "Save" takes the text with
// the blanks at both ends trimmed; when an empty text is not allowed, the
// refusal is shown and the dialog stays open with what the user typed.
class CTextEntryDialog : public FullWindowDialog {
    Q_OBJECT

public:
    // `prompt` stands above the field; `emptyRefusal`, when not empty, is
    // the message that refuses an empty or blank text.
    CTextEntryDialog(const QString& title, const QString& prompt, const QString& text,
                     const QString& emptyRefusal, QWidget* parent);

    // The trimmed text, once saved.
    QString Text() const { return text_; }
    QLineEdit* Field() const { return field_; }
    QLabel* Prompt() const { return prompt_; }

    // A refusal from the caller (a name already taken, say) keeps the
    // dialog open: return the message to show, or an empty text to accept.
    void SetCheck(std::function<QString(const QString& text)> check) { check_ = std::move(check); }

    void accept() override;

    // The message that refuses an empty name wherever names are typed.
    static const QString& EmptyNameMessage();

    // "List Entry": one entry of a list of names, starting as `text`.
    // False for Cancel; `check` may refuse an entry as SetCheck does.
    static bool AskListEntry(QWidget* parent, const QString& text, QString& entered,
                             std::function<QString(const QString& text)> check = {});

private:
    QLabel* prompt_;
    QLineEdit* field_;
    QString emptyRefusal_;
    QString text_;
    std::function<QString(const QString& text)> check_;
};
