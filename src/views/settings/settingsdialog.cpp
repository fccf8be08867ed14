#include "views/settings/settingsdialog.h"

#include <QGridLayout>
#include <QToolButton>

#include "lists/currencytable.h"
#include "lists/settingsitem.h"
#include "report/expensedoc.h"
#include "views/settings/accountnumbersdialog.h"
#include "views/settings/chooseitemdialog.h"
#include "views/settings/pagecurrency.h"
#include "views/settings/pagegeneral.h"
#include "views/settings/personalinfodialog.h"
#include "views/widgets/appfont.h"
#include "views/widgets/commandbar.h"
#include "views/widgets/listpicture.h"

namespace {

constexpr int kFirstType = SettingsItem::kPersonalInfo;
constexpr int kLastType = SettingsItem::kAccountNumbers;

}  // namespace

CSettingsDialog::CSettingsDialog(CExpenseDoc& document, QWidget* parent)
    : FullWindowDialog(QStringLiteral("Preferences"), TitleButton::Ok, parent),
      document_(document) {
    SetHelpTopic(QStringLiteral("Preferences"));
    for (int type = kFirstType; type <= kLastType; ++type) {
        const SettingsItem item(type);
        auto* button = new QToolButton(Body());
        button->setText(item.GetCaption());
        button->setAccessibleName(item.GetCaption().trimmed());
        button->setIcon(QIcon(ListPicture(ImageFolder::Other, item.GetImageName())));
        button->setIconSize(QSize(kListPictureSize, kListPictureSize));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setAutoRaise(true);
        button->setFont(AppFont());
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        // The lower screens give a button less than it asks for; the picture
        // and the caption still fit.
        button->setMinimumSize(kListPictureSize, kListPictureSize);
        connect(button, &QToolButton::clicked, this, [this, type] { OpenPage(type); });
        buttons_.insert(type, button);
    }
    Commands()->AddStretch();
}

void CSettingsDialog::ApplyLayout(ScreenLayout layout) {
    delete grid_;
    grid_ = new QGridLayout(Body());
    grid_->setContentsMargins(4, 4, 4, 4);
    grid_->setSpacing(4);
    // Two to a row where the screen is narrow: "Account Numbers" and
    // "Payment Sources" would not fit under their pictures three abreast.
    const int columns = layout == ScreenLayout::Landscape ? 3 : 2;
    for (int type = kFirstType; type <= kLastType; ++type) {
        const int place = type - kFirstType;
        grid_->addWidget(buttons_.value(type), place / columns, place % columns);
    }
}

void CSettingsDialog::OpenPage(int type) {
    switch (type) {
        case SettingsItem::kPersonalInfo: {
            CPersonalInfoDialog page(document_.GetCurrencyTable().GetInternationalTraveler(),
                                     this);
            page.exec();
            break;
        }
        case SettingsItem::kGeneral: {
            CPageGeneral page(document_, this);
            connect(&page, &CPageGeneral::refreshRequested, this,
                    &CSettingsDialog::refreshRequested);
            page.exec();
            break;
        }
        case SettingsItem::kPaymentSources:
            OpenList(CListItems::Kind::PaymentSource);
            break;
        case SettingsItem::kClassification:
            OpenList(CListItems::Kind::Classification);
            break;
        case SettingsItem::kCurrency:
            // A new home currency or a bulk rate change rewrites the open
            // report's expenses.
            if (CPageCurrency(document_, this).exec() == QDialog::Accepted) {
                emit refreshRequested();
            }
            break;
        case SettingsItem::kAccountNumbers:
            CAccountNumbersDialog(document_.GetCategories(), this).exec();
            break;
        default:
            break;
    }
}

void CSettingsDialog::OpenList(CListItems::Kind kind) {
    CChooseItemDialog list(document_, kind, QString(), this, CChooseItemDialog::Use::Keep);
    list.exec();
    // An edit carried into stored expenses may have rewritten the open
    // report.
    if (list.ListChanged()) {
        emit refreshRequested();
    }
}
