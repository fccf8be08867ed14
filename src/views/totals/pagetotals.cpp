#include "views/totals/pagetotals.h"

#include <QGridLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include "report/expensedoc.h"
#include "report/totalssummary.h"
#include "views/widgets/appfont.h"
#include "views/widgets/commandbar.h"

namespace {

constexpr int kIndent = 14;

}  // namespace

CPageTotals::CPageTotals(CExpenseDoc& document, QWidget* parent)
    : QWidget(parent),
      document_(document),
      grid_(new QGridLayout),
      commands_(new CommandBar(this)) {
    setAccessibleName(QStringLiteral("Totals"));
    CExpenseReport& report = document_.GetReport();
    if (CTotalsSummary::Refresh(report)) {
        document_.SetModifiedFlag(true);
    }
    const CTotalsSummary summary(report);
    const CCurrencyTable& currencies = report.GetCurrencyTable();
    const auto money = [&currencies](const Amount& amount) {
        return currencies.FormatInHome(amount, 0);
    };
    AddRow(QStringLiteral("Total Expenses:"), money(summary.GetTotal()), true);
    AddRow(QStringLiteral("Business Paid:"), money(summary.GetBusinessPaid()), true);
    AddRow(QStringLiteral("Cash Advanced:"), money(summary.GetCashAdvance()), false);
    AddRow(QStringLiteral("Bus. Credit Card:"), money(summary.GetBusinessCard()), false);
    AddRow(QStringLiteral("Personal\n(Non-Reimb):"), money(summary.GetPersonal()), true);
    AddRow(QStringLiteral("Deductible:"), money(summary.GetDeductible()), false);
    AddRow(QStringLiteral("Non-Deductible:"), money(summary.GetNonDeductible()), false);
    AddRow(QStringLiteral("Reimbursement Due:"), money(summary.GetReimbursementDue()), true);

    connect(commands_->AddButton(QStringLiteral("Done")), &QToolButton::clicked, this,
            &CPageTotals::doneChosen);
    connect(commands_->AddButton(QStringLiteral("Subtotals")), &QToolButton::clicked, this,
            &CPageTotals::subtotalsChosen);
    commands_->AddStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(grid_);
    layout->addStretch(1);
    layout->addWidget(commands_);

    CPreferences& preferences = document_.GetPreferences();
    preferences.SetSubtotals(0);
    preferences.WriteRegistry();
}

void CPageTotals::AddRow(const QString& caption, const QString& figure, bool heading) {
    QFont font = AppFont();
    if (heading) {
        font.setWeight(QFont::Bold);
    }
    auto* captionLabel = new QLabel(caption, this);
    captionLabel->setFont(font);
    auto* figureLabel = new QLabel(figure, this);
    figureLabel->setFont(font);
    figureLabel->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    // A screen reader hears the amount, with its caption to say what it is;
    // "Personal" reads as one line.
    QString name = caption;
    name.replace(QLatin1Char('\n'), QLatin1Char(' '));
    captionLabel->setAccessibleName(name);
    captionLabel->setBuddy(figureLabel);
    figureLabel->setAccessibleName(figure);
    figureLabel->setAccessibleDescription(name);
    rows_.append({captionLabel, figureLabel, heading});
}

QString CPageTotals::FigureText(const QString& caption) const {
    for (const Row& row : rows_) {
        if (row.caption->accessibleName() == caption || row.caption->text() == caption) {
            return row.figure->text();
        }
    }
    return {};
}

void CPageTotals::ApplyLayout(ScreenLayout layout) {
    // The portrait screen spaces the figures out; the lower screens keep
    // them close enough to show all of them.
    const bool tall = layout == ScreenLayout::Portrait;
    grid_->setContentsMargins(6, tall ? 8 : 4, 8, 4);
    grid_->setVerticalSpacing(tall ? 6 : 1);
    grid_->setHorizontalSpacing(6);
    for (int index = 0; index < rows_.size(); ++index) {
        const Row& row = rows_[index];
        grid_->addWidget(row.caption, index, 0);
        grid_->addWidget(row.figure, index, 1);
        row.caption->setIndent(row.heading ? 0 : kIndent);
    }
    grid_->setColumnStretch(1, 1);
}
