#include "views/settings/pageexpenseslipdetails.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QPlainTextEdit>
#include <algorithm>

#include "lists/historyholder.h"
#include "views/settings/modifylistdialog.h"
#include "views/settings/sheetcontacts.h"
#include "views/widgets/appfont.h"
#include "views/widgets/bitmapbutton.h"
#include "views/widgets/insertentry.h"

namespace {

CHistoryHolder::Kind HistoryOf(CPageExpenseSlipDetails::Kind kind) {
    return kind == CPageExpenseSlipDetails::kLocation ? CHistoryHolder::Kind::ExpenseLocations
                                                      : CHistoryHolder::Kind::Purpose;
}

}  // namespace

CPageExpenseSlipDetails::CPageExpenseSlipDetails(Kind kind, const QString& text, QWidget* parent)
    : QWidget(parent),
      kind_(kind),
      button_(new BitmapButton(Caption(kind), this)),
      edit_(new QPlainTextEdit(text, this)) {
    edit_->setAccessibleName(Caption(kind));
    edit_->setFont(AppFont());
    edit_->setTabChangesFocus(true);
    // The three texts may share a low screen: each is at least two lines.
    edit_->setMinimumHeight(2 * edit_->fontMetrics().lineSpacing() + 8);
    // One width for the three buttons, so that the texts line up.
    int width = 0;
    for (int other = 0; other < kKinds; ++other) {
        width = std::max(
            width, button_->fontMetrics().horizontalAdvance(Caption(static_cast<Kind>(other))));
    }
    button_->setFixedWidth(width + 12);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(button_, 0, Qt::AlignTop);
    layout->addWidget(edit_, 1);
    connect(button_, &QPushButton::clicked, this,
            kind == kContacts ? &CPageExpenseSlipDetails::PickContacts
                              : &CPageExpenseSlipDetails::Offer);
}

QString CPageExpenseSlipDetails::Caption(Kind kind) {
    switch (kind) {
        case kLocation:
            return QStringLiteral("Location");
        case kPurpose:
            return QStringLiteral("Purpose");
        case kContacts:
            return QStringLiteral("Contacts");
    }
    return QString();
}

QString CPageExpenseSlipDetails::Text() const {
    return edit_->toPlainText();
}

QMenu* CPageExpenseSlipDetails::MakePopUp() {
    auto* menu = new QMenu(this);
    menu->setFont(AppFont());
    CHistoryHolder holder(HistoryOf(kind_));
    holder.Load(false);
    for (const QString& entry : holder.GetHistory().GetItems()) {
        menu->addAction(entry)->setData(entry);
    }
    if (!menu->isEmpty()) {
        menu->addSeparator();
    }
    menu->addAction(ModifyEntryText());
    return menu;
}

void CPageExpenseSlipDetails::Offer() {
    QMenu* menu = MakePopUp();
    const QAction* picked = menu->exec(button_->mapToGlobal(QPoint(0, button_->height())));
    const bool chosen = picked != nullptr;
    // The editor's entry carries no text of its own.
    const QVariant entry = chosen ? picked->data() : QVariant();
    delete menu;
    if (!chosen) {
        return;
    }
    if (entry.isValid()) {
        InsertEntry(edit_, entry.toString());
        return;
    }
    // Read again: the list may have changed since the pop-up was made.
    CHistoryHolder holder(HistoryOf(kind_));
    holder.Load(false);
    CModifyListDialog::Run(holder.GetHistory(), edit_->textCursor().selectedText(), this);
}

void CPageExpenseSlipDetails::PickContacts() {
    CSheetContacts sheet(this);
    if (sheet.exec() == QDialog::Accepted && !sheet.Result().isEmpty()) {
        InsertEntry(edit_, sheet.Result());
    }
}
