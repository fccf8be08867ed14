#include "views/totals/totalsdialog.h"

#include <QLabel>
#include <QVBoxLayout>

#include "report/expensedoc.h"
#include "views/totals/pagesubtotals.h"
#include "views/totals/pagetotals.h"
#include "views/widgets/commandbar.h"

CTotalsDialog::CTotalsDialog(Page page, CExpenseDoc& document, QWidget* parent)
    : FullWindowDialog(QStringLiteral("Totals"), TitleButton::None, parent), document_(document) {
    // Each page brings its own commands.
    Commands()->hide();
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    ShowPage(page);
}

void CTotalsDialog::ShowPage(Page page) {
    // The old page may be the one whose button asked for the swap, so it
    // goes once that button is done with it.
    for (QWidget* old : {static_cast<QWidget*>(totals_), static_cast<QWidget*>(subtotals_)}) {
        if (old != nullptr) {
            old->hide();
            old->deleteLater();
        }
    }
    totals_ = nullptr;
    subtotals_ = nullptr;
    QWidget* shown = nullptr;
    if (page == Page::Totals) {
        totals_ = new CPageTotals(document_, Body());
        connect(totals_, &CPageTotals::doneChosen, this, &QDialog::accept);
        connect(totals_, &CPageTotals::subtotalsChosen, this,
                [this] { ShowPage(Page::Subtotals); });
        shown = totals_;
        TitleLabel()->setText(QStringLiteral("Totals"));
    } else {
        subtotals_ = new CPageSubtotals(document_, Body());
        connect(subtotals_, &CPageSubtotals::doneChosen, this, [this] {
            ClearSelection();
            accept();
        });
        connect(subtotals_, &CPageSubtotals::totalsChosen, this, [this] {
            ClearSelection();
            ShowPage(Page::Totals);
        });
        connect(subtotals_, &CPageSubtotals::groupChosen, this, &QDialog::accept);
        shown = subtotals_;
        TitleLabel()->setText(QStringLiteral("Subtotals"));
    }
    SetHelpTopic(TitleLabel()->text());
    setWindowTitle(TitleLabel()->text());
    setAccessibleName(windowTitle());
    Body()->layout()->addWidget(shown);
    ApplyLayout(Layout());
    shown->show();
}

void CTotalsDialog::ApplyLayout(ScreenLayout layout) {
    if (totals_ != nullptr) {
        totals_->ApplyLayout(layout);
    }
    if (subtotals_ != nullptr) {
        subtotals_->ApplyLayout(layout);
    }
}

void CTotalsDialog::ClearSelection() {
    document_.GetRecords().GetQuery().Clear();
}

void CTotalsDialog::reject() {
    if (subtotals_ != nullptr) {
        ClearSelection();
    }
    FullWindowDialog::reject();
}
