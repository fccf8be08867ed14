#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "platform/directories.h"

class CExpenseDoc;

// One of the reference lists the choosers and item editors keep: the
// payment sources, the current group's classifications or the categories,
// seen the same way (a name, a picture and, for a payment source, who pays)
// so that one chooser and one editor serve all three. Every change writes
// the list back at once.
class CListItems {
public:
    enum class Kind { PaymentSource, Classification, Category };

    struct Item {
        QString name;
        QString imageName;
        qint32 paymentType = 0;  // payment sources only
        bool builtIn = false;    // a built-in category, kept by the program
    };

    CListItems(CExpenseDoc& document, Kind kind);

    Kind GetKind() const { return kind_; }
    ImageFolder Folder() const;
    // "Choose Paid With", "Choose Classification", "Choose Category".
    QString ChooserTitle() const;
    // "Payment Source", "Modify Classification", "Modify Category".
    QString EditorTitle() const;
    // The help page's section on the list.
    QString HelpTopic() const;
    QString DuplicateMessage() const;
    QString DeleteQuestion(const QString& name) const;
    // The "Update..." question for an edit of `startName` into `newName`;
    // empty for categories, whose edits stored expenses keep as they were.
    QString UpdateQuestion(const QString& startName, const QString& newName) const;

    // The items, sorted by name without regard to case.
    QList<Item> Items() const;
    std::optional<Item> Find(const QString& name) const;
    int Count() const;
    // The file names of the pictures an item may take.
    QStringList ImageChoices() const;

    // Adds `item` (an empty `startName`) or changes the item `startName`
    // into it, then writes the list. False when the name cannot be stored
    // (a category name that cannot be a file name); nothing is changed then.
    bool Store(const QString& startName, const Item& item);
    // Removes the item, and a category's files with it, and writes the list.
    bool Remove(const QString& name);
    // Whether the user may delete `item`: the built-in categories are the
    // program's, and the last payment source must stay.
    bool CanRemove(const Item& item) const;
    // Asks the delete question for `name`; on Yes removes the item and
    // answers true.
    bool AskAndRemove(const QString& name);
    // Carries the edit of `before` into `after` into the stored expenses
    // that hold `before`, in the reports the UpdateScope answer names.
    void UpdateExpenses(const Item& before, const Item& after, int scope);

    struct KindTexts {
        ImageFolder folder;
        const char* chooserTitle;
        const char* editorTitle;
        const char* helpTopic;
        const char* duplicate;
        const char* deletedItem;  // what the delete question calls an item
    };

private:
    const KindTexts& Texts() const;

    CExpenseDoc& document_;  // not owned
    Kind kind_;
};
