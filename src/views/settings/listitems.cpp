#include "views/settings/listitems.h"

#include <algorithm>

#include "lists/categoryex.h"
#include "lists/categoryexmanager.h"
#include "lists/classificationgroup.h"
#include "lists/listimagefiles.h"
#include "lists/paidwith.h"
#include "platform/diagnosticslog.h"
#include "platform/platform.h"
#include "report/expensedoc.h"
#include "report/expenserecord.h"
#include "views/widgets/updatescope.h"

namespace {

CListItems::Item ItemOf(const CPaidWith& source) {
    return {source.GetName(), source.GetImageName(), source.GetPaymentType(), false};
}

CListItems::Item ItemOf(const CClassification& classification) {
    return {classification.GetName(), classification.GetImageName(), 0, false};
}

CListItems::Item ItemOf(const CCategoryEx& category) {
    return {category.GetName(), category.GetImageName(), 0,
            category.GetIndex() != CCategory::kUserDefinedIndex};
}

// What the three lists are called where the user sees them. The messages are
// quoted exactly: only the payment source's duplicate message ends in a full stop.
const CListItems::KindTexts kTexts[] = {
    {ImageFolder::PaidWith, "Choose Paid With", "Payment Source", "Payment Sources",
     "A Payment Source with the same name already exists.\n\nPlease choose another name.",
     "Payment Source"},
    {ImageFolder::Class, "Choose Classification", "Modify Classification", "Classification",
     "A Classification with the same name already exists.\n\nPlease choose another name",
     "Classification"},
    {ImageFolder::Category, "Choose Category", "Modify Category", "Custom Categories",
     "A Category with the same name already exists.\n\nPlease choose another name",
     "Category item"},
};

}  // namespace

const CListItems::KindTexts& CListItems::Texts() const {
    return kTexts[static_cast<int>(kind_)];
}

CListItems::CListItems(CExpenseDoc& document, Kind kind) : document_(document), kind_(kind) {}

ImageFolder CListItems::Folder() const {
    return Texts().folder;
}

QString CListItems::ChooserTitle() const {
    return QString::fromLatin1(Texts().chooserTitle);
}

QString CListItems::EditorTitle() const {
    return QString::fromLatin1(Texts().editorTitle);
}

QString CListItems::HelpTopic() const {
    return QString::fromLatin1(Texts().helpTopic);
}

QString CListItems::DuplicateMessage() const {
    return QString::fromLatin1(Texts().duplicate);
}

QString CListItems::DeleteQuestion(const QString& name) const {
    return QStringLiteral("Are you sure you want to permanently delete the %1 %2?")
        .arg(name, QString::fromLatin1(Texts().deletedItem));
}

QString CListItems::UpdateQuestion(const QString& startName, const QString& newName) const {
    switch (kind_) {
        case Kind::PaymentSource:
            return QStringLiteral("Update the Paid With Type (%1) in...").arg(newName);
        case Kind::Classification: {
            const QString group = document_.GetClassificationGroups().GetCurrentGroupName();
            return QStringLiteral("Update the %1 (%2) in...")
                .arg(group.isEmpty() ? QStringLiteral("Classification") : group, startName);
        }
        case Kind::Category:
            break;
    }
    return {};
}

QList<CListItems::Item> CListItems::Items() const {
    QList<Item> items;
    switch (kind_) {
        case Kind::PaymentSource:
            for (const CPaidWith& source : document_.GetPaymentSources()) {
                items.append(ItemOf(source));
            }
            break;
        case Kind::Classification: {
            CClassificationGroupMgr& groups = document_.GetClassificationGroups();
            if (const CClassificationGroup* group =
                    groups.FindGroup(groups.GetCurrentGroupName())) {
                for (const CClassification& classification : *group) {
                    items.append(ItemOf(classification));
                }
            }
            break;
        }
        case Kind::Category:
            for (const CCategoryEx& category : document_.GetCategories()) {
                items.append(ItemOf(category));
            }
            break;
    }
    std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    return items;
}

std::optional<CListItems::Item> CListItems::Find(const QString& name) const {
    switch (kind_) {
        case Kind::PaymentSource:
            if (const CPaidWith* source = document_.GetPaymentSources().Find(name)) {
                return ItemOf(*source);
            }
            break;
        case Kind::Classification: {
            CClassificationGroupMgr& groups = document_.GetClassificationGroups();
            if (const CClassification* classification =
                    groups.FindClassification(groups.GetCurrentGroupName(), name)) {
                return ItemOf(*classification);
            }
            break;
        }
        case Kind::Category:
            if (const CCategoryEx* category = document_.GetCategories().Find(name)) {
                return ItemOf(*category);
            }
            break;
    }
    return std::nullopt;
}

int CListItems::Count() const {
    return static_cast<int>(Items().size());
}

QStringList CListItems::ImageChoices() const {
    const QStringList images = StandardListImages(Folder());
    return kind_ == Kind::Category ? CategoryImageChoices(images) : images;
}

bool CListItems::Store(const QString& startName, const Item& item) {
    switch (kind_) {
        case Kind::PaymentSource: {
            CPaidWithManager& sources = document_.GetPaymentSources();
            CPaidWith* stored = nullptr;
            if (startName.isEmpty()) {
                const CPaidWith added(item.name, item.imageName, item.paymentType);
                stored = sources.Add(&added);
            } else if ((stored = sources.Rename(startName, item.name)) != nullptr) {
                stored->SetImageName(item.imageName);
                stored->SetPaymentType(item.paymentType);
            }
            if (stored == nullptr) {
                return false;
            }
            // The editors save without messages, whatever the outcome.
            sources.Save(false);
            // A category must not go on offering a payment source the list
            // no longer has by that name.
            if (!startName.isEmpty() &&
                document_.GetCategories().ReplaceDefaultPaidWith(startName, *stored) > 0) {
                document_.GetCategories().SaveAll(false);
            }
            return true;
        }
        case Kind::Classification: {
            CClassificationGroupMgr& groups = document_.GetClassificationGroups();
            const QString groupName = groups.GetCurrentGroupName();
            CClassification* stored = nullptr;
            CClassification before;
            if (startName.isEmpty()) {
                stored = groups.AddClassification(groupName,
                                                  CClassification(item.name, item.imageName));
            } else if (CClassificationGroup* group = groups.FindGroup(groupName)) {
                if (const CClassification* found = group->Find(startName)) {
                    before = *found;
                }
                if ((stored = group->Rename(startName, item.name)) != nullptr) {
                    stored->SetImageName(item.imageName);
                }
            }
            if (stored == nullptr) {
                return false;
            }
            groups.Save(false);
            if (!startName.isEmpty() &&
                document_.GetCategories().ReplaceDefaultClassification(before, *stored) > 0) {
                document_.GetCategories().SaveAll(false);
            }
            return true;
        }
        case Kind::Category:
            break;
    }
    CCategoryExManager& categories = document_.GetCategories();
    CCategoryEx* stored = nullptr;
    if (startName.isEmpty()) {
        CCategoryEx added(item.name, CCategory::kUserDefinedIndex, CCategory::kMiscGroup);
        added.SetImageName(item.imageName);
        stored = categories.Add(&added);
    } else {
        const CCategoryEx* before = categories.Find(startName);
        // The main screen's button that shows the category keeps showing it.
        const bool remembered = before != nullptr && before->HasGroupMemory() &&
                                before->GetDisplayName() == before->GetName();
        if ((stored = categories.Rename(startName, item.name)) != nullptr) {
            stored->SetImageName(item.imageName);
            if (remembered) {
                stored->RememberGroupChoice();
            }
        }
    }
    if (stored == nullptr) {
        return false;
    }
    categories.SaveAll(false);
    return true;
}

bool CListItems::CanRemove(const Item& item) const {
    return !item.builtIn && !(kind_ == Kind::PaymentSource && Count() < 2);
}

bool CListItems::AskAndRemove(const QString& name) {
    if (!Platform::Get().GetPrompts().AskYesNo(DeleteQuestion(name))) {
        return false;
    }
    // The editors write their lists silently: a list that cannot be written
    // still lost the item for this run.
    Remove(name);
    return true;
}

bool CListItems::Remove(const QString& name) {
    switch (kind_) {
        case Kind::PaymentSource: {
            CPaidWithManager& sources = document_.GetPaymentSources();
            return sources.Remove(name) && sources.Save(false);
        }
        case Kind::Classification: {
            CClassificationGroupMgr& groups = document_.GetClassificationGroups();
            return groups.RemoveClassification(groups.GetCurrentGroupName(), name) &&
                   groups.Save(false);
        }
        case Kind::Category:
            break;
    }
    CCategoryExManager& categories = document_.GetCategories();
    if (CCategoryEx* category = categories.Find(name)) {
        // A file left behind would bring the category back at the next load.
        category->DeleteFiles();
    }
    return categories.Remove(name);
}

void CListItems::UpdateExpenses(const Item& before, const Item& after, int scope) {
    if (kind_ == Kind::Category ||
        (scope != UpdateScope::kAllReports && scope != UpdateScope::kThisReport)) {
        return;
    }
    int flags = scope == UpdateScope::kAllReports ? CExpenseReport::kAllReports
                                                  : CExpenseReport::kOpenReport;
    CExpenseRecord oldTemplate;
    CExpenseRecord newTemplate;
    if (kind_ == Kind::PaymentSource) {
        flags |= CExpenseReport::kPaymentSource;
        oldTemplate.SetPaidWith(CPaidWith(before.name, before.imageName, before.paymentType));
        newTemplate.SetPaidWith(CPaidWith(after.name, after.imageName, after.paymentType));
    } else {
        flags |= CExpenseReport::kClassification;
        oldTemplate.SetClassification(CClassification(before.name, before.imageName));
        newTemplate.SetClassification(CClassification(after.name, after.imageName));
    }
    if (!document_.GetReport().ApplyListChange(oldTemplate, newTemplate, flags)) {
        LogMessage(QStringLiteral("Expenses holding %1 could not all be brought up to date.")
                       .arg(before.name));
    }
}
