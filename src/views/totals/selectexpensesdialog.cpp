#include "views/totals/selectexpensesdialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "lists/categoryex.h"
#include "lists/categoryexmanager.h"
#include "lists/classificationgroup.h"
#include "lists/expensetypemanager.h"
#include "lists/paidwith.h"
#include "platform/platform.h"
#include "report/expensedoc.h"
#include "report/recordquery.h"
#include "report/recordsquery.h"
#include "views/settings/chooseitemdialog.h"
#include "views/pads/padamountedit.h"
#include "views/widgets/appfont.h"
#include "views/widgets/commandbar.h"
#include "views/widgets/storeddateedit.h"

namespace {

struct Operator {
    const char* label;
    qint32 code;
};

// The operators the dialog offers for a field, sorted by their labels.
QList<Operator> OperatorsFor(int field) {
    QList<Operator> operators;
    switch (field) {
        case kFieldDate:
            operators = {{"is", kOpEqual},
                         {"is not", kOpNotEqual},
                         {"is before", kOpLess},
                         {"is after", kOpGreater}};
            break;
        case kFieldAmount:
            operators = {{"is equal to", kOpEqual},
                         {"is not equal to", kOpNotEqual},
                         {"is less than", kOpLess},
                         {"is greater than", kOpGreater}};
            break;
        case kFieldDescription:
            operators = {{"is equal to", kOpEqual},      {"is not equal to", kOpNotEqual},
                         {"contains", kOpContains},      {"does not contain", kOpNotContains},
                         {"starts with", kOpStartsWith}, {"ends with", kOpEndsWith}};
            break;
        case kFieldReceipt:
            operators = {{"is available", kOpEqual}, {"is not available", kOpNotEqual}};
            break;
        default:
            operators = {{"is", kOpEqual}, {"is not", kOpNotEqual}};
            break;
    }
    std::sort(operators.begin(), operators.end(),
              [](const Operator& a, const Operator& b) { return qstrcmp(a.label, b.label) < 0; });
    return operators;
}

}  // namespace

CSelectExpensesDialog::CSelectExpensesDialog(CExpenseDoc& document, QWidget* parent)
    : FullWindowDialog(QStringLiteral("Select Expenses"), TitleButton::None, parent),
      document_(document),
      where_(new QLabel(QStringLiteral("Where:"), Body())),
      fields_(new QComboBox(Body())),
      operators_(new QComboBox(Body())),
      date_(new StoredDateEdit(Platform::Get().GetClock().LocalNow().date(),
                               QStringLiteral("Date"), Body())),
      amount_(new CPadAmountEdit(Body())),
      text_(new QLineEdit(Body())),
      currency_(new QComboBox(Body())),
      choice_(new QPushButton(QStringLiteral("Select"), Body())),
      within_(new QGroupBox(QStringLiteral("Select from within..."), Body())),
      all_(new QRadioButton(QStringLiteral("All items in this report"), within_)),
      selected_(new QRadioButton(QStringLiteral("Only currently selected items"), within_)),
      select_(Commands()->AddButton(QStringLiteral("Select"))),
      selectAll_(Commands()->AddButton(QStringLiteral("Select All"))),
      cancel_(Commands()->AddButton(QStringLiteral("Cancel"))) {
    SetHelpTopic(QStringLiteral("Select Expenses"));
    Commands()->AddStretch();
    for (QWidget* control :
         std::initializer_list<QWidget*>{where_, fields_, operators_, date_, amount_, text_,
                                         currency_, choice_, within_, all_, selected_}) {
        control->setFont(AppFont());
    }
    fields_->setAccessibleName(QStringLiteral("Where:"));
    operators_->setAccessibleName(QStringLiteral("Operator"));
    amount_->setAccessibleName(QStringLiteral("Amount"));
    amount_->SetPadAtRight(true);
    text_->setAccessibleName(QStringLiteral("Description"));
    currency_->setAccessibleName(QStringLiteral("Currency"));
    choice_->setAccessibleName(QStringLiteral("Select"));
    all_->setAccessibleName(all_->text());
    selected_->setAccessibleName(selected_->text());
    all_->setChecked(true);
    auto* withinLayout = new QVBoxLayout(within_);
    withinLayout->setContentsMargins(4, 0, 4, 2);
    withinLayout->addWidget(all_);
    withinLayout->addWidget(selected_);

    // The fields, sorted by their labels, each with its code.
    const QString group = document_.GetClassificationGroups().GetCurrentGroupName();
    QList<QPair<QString, int>> fields = {
        {QStringLiteral("Amount"), kFieldAmount},
        {QStringLiteral("Category"), kFieldCategory},
        {group.isEmpty() ? QStringLiteral("Classification") : group, kFieldClassification},
        {QStringLiteral("Currency"), kFieldCurrency},
        {QStringLiteral("Date"), kFieldDate},
        {QStringLiteral("Description"), kFieldDescription},
        {QStringLiteral("Expense Type"), kFieldExpenseType},
        {QStringLiteral("Paid With"), kFieldPaidWith},
        {QStringLiteral("Receipt"), kFieldReceipt},
    };
    std::sort(fields.begin(), fields.end());
    for (const auto& [label, code] : fields) {
        fields_->addItem(label, code);
    }
    currency_->addItems(document_.GetCurrencyTable().GetListedCurrencies());

    const CRecordsQuery& query = document_.GetRecords().GetQuery();
    within_->setVisible(query.IsActive());
    const int field = query.IsActive() && !query.GetConditions().isEmpty()
                          ? query.GetConditions().last().GetFieldCode()
                          : kFieldAmount;
    ChooseField(fields_->findData(field) >= 0 ? field : kFieldAmount);

    connect(fields_, &QComboBox::activated, this, [this] { ShowField(); });
    connect(choice_, &QPushButton::clicked, this, &CSelectExpensesDialog::PickChoice);
    connect(select_, &QToolButton::clicked, this, &CSelectExpensesDialog::Select);
    connect(selectAll_, &QToolButton::clicked, this, &CSelectExpensesDialog::SelectAll);
    connect(cancel_, &QToolButton::clicked, this, &QDialog::reject);
}

int CSelectExpensesDialog::FieldCode() const {
    return fields_->currentData().toInt();
}

void CSelectExpensesDialog::ChooseField(int fieldCode) {
    fields_->setCurrentIndex(fields_->findData(fieldCode));
    ShowField();
}

QStringList CSelectExpensesDialog::ChoicesFor(int fieldCode) {
    QStringList names;
    switch (fieldCode) {
        case kFieldCategory:
            for (const CCategoryEx& category : document_.GetCategories()) {
                names.append(category.GetName());
            }
            names.sort(Qt::CaseInsensitive);
            break;
        case kFieldClassification:
            if (CClassificationGroup* group =
                    document_.GetClassificationGroups().GetCurrentGroup()) {
                for (const CClassification& item : *group) {
                    names.append(item.GetName());
                }
            }
            break;
        case kFieldPaidWith:
            for (const CPaidWith& source : document_.GetPaymentSources()) {
                names.append(source.GetName());
            }
            if (names.isEmpty()) {
                names.append(QStringLiteral("Cash"));
            }
            break;
        case kFieldExpenseType:
            for (int position = 0; position < CExpenseTypeManager::GetCount(); ++position) {
                names.append(CExpenseTypeManager::GetName(position));
            }
            break;
        default:
            break;
    }
    return names;
}

void CSelectExpensesDialog::ShowField() {
    const int field = FieldCode();
    operators_->clear();
    for (const Operator& op : OperatorsFor(field)) {
        operators_->addItem(QString::fromLatin1(op.label), op.code);
    }
    operators_->setCurrentIndex(0);
    const bool list = field == kFieldCategory || field == kFieldClassification ||
                      field == kFieldPaidWith || field == kFieldExpenseType;
    date_->setVisible(field == kFieldDate);
    amount_->setVisible(field == kFieldAmount);
    text_->setVisible(field == kFieldDescription);
    currency_->setVisible(field == kFieldCurrency);
    choice_->setVisible(list);

    // The defaults, then the value of the selection's last condition on it.
    const Clock& clock = Platform::Get().GetClock();
    date_->setDate(clock.LocalNow().date());
    amount_->SetValue(0);
    text_->clear();
    currency_->setCurrentIndex(0);
    const QStringList choices = ChoicesFor(field);
    choice_->setText(choices.isEmpty() ? QStringLiteral("Select") : choices.first());
    const CRecordsQuery& query = document_.GetRecords().GetQuery();
    const CRecordQuery* condition = query.IsActive() ? query.FindLastCondition(field) : nullptr;
    if (condition == nullptr) {
        return;
    }
    const int op = operators_->findData(condition->GetOperator());
    if (op >= 0) {
        operators_->setCurrentIndex(op);
    }
    switch (field) {
        case kFieldDate:
            date_->setDate(clock.ToLocal(condition->GetDateValue()).date());
            break;
        case kFieldAmount:
            amount_->SetValue(condition->GetNumberValue());
            break;
        case kFieldDescription:
            text_->setText(condition->GetTextValue());
            break;
        case kFieldCurrency:
            if (const int index = currency_->findText(condition->GetTextValue()); index >= 0) {
                currency_->setCurrentIndex(index);
            }
            break;
        case kFieldReceipt:
            break;
        default:
            if (choices.contains(condition->GetTextValue())) {
                choice_->setText(condition->GetTextValue());
            }
            break;
    }
}

void CSelectExpensesDialog::PickChoice() {
    const int field = FieldCode();
    if (field == kFieldCategory || field == kFieldClassification || field == kFieldPaidWith) {
        const CListItems::Kind kind = field == kFieldCategory ? CListItems::Kind::Category
                                      : field == kFieldClassification
                                          ? CListItems::Kind::Classification
                                          : CListItems::Kind::PaymentSource;
        CChooseItemDialog chooser(document_, kind, choice_->text(), this);
        if (chooser.exec() == QDialog::Accepted) {
            choice_->setText(chooser.ChosenName());
        }
        return;
    }
    QMenu menu(this);
    menu.setFont(AppFont());
    for (const QString& name : ChoicesFor(FieldCode())) {
        menu.addAction(name);
    }
    if (const QAction* picked = menu.exec(choice_->mapToGlobal(QPoint(0, choice_->height())))) {
        choice_->setText(picked->text());
    }
}

void CSelectExpensesDialog::Select() {
    if (FieldCode() == kFieldDate && !date_->CheckDay()) {
        return;
    }
    CRecordsQuery& query = document_.GetRecords().GetQuery();
    if (!within_->isVisible() || all_->isChecked()) {
        query.Clear();
    }
    const int field = FieldCode();
    const qint32 op = operators_->currentData().toInt();
    const Clock& clock = Platform::Get().GetClock();
    CRecordQuery condition;
    switch (field) {
        case kFieldDate:
            condition = CRecordQuery::Date(field, op, clock.FromLocal(date_->date(), QTime(0, 0)));
            break;
        case kFieldAmount:
            condition = CRecordQuery::Number(field, op, amount_->GetValue());
            break;
        case kFieldReceipt:
            condition = CRecordQuery::Number(field, op, 1.0);
            break;
        case kFieldDescription:
            condition = CRecordQuery::Text(field, op, text_->text());
            break;
        case kFieldCurrency:
            condition = CRecordQuery::Text(field, op, currency_->currentText());
            break;
        default:
            condition = CRecordQuery::Text(field, op, choice_->text());
            break;
    }
    query.AddCondition(condition);
    query.Evaluate();
    document_.SetModifiedFlag(true);
    accept();
}

void CSelectExpensesDialog::SelectAll() {
    document_.GetRecords().GetQuery().Clear();
    document_.SetModifiedFlag(true);
    accept();
}

void CSelectExpensesDialog::ApplyLayout(ScreenLayout) {
    delete Body()->layout();
    auto* grid = new QGridLayout(Body());
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setVerticalSpacing(4);
    grid->addWidget(where_, 0, 0);
    grid->addWidget(fields_, 0, 1);
    grid->addWidget(operators_, 1, 1);
    for (QWidget* value :
         std::initializer_list<QWidget*>{date_, amount_, text_, currency_, choice_}) {
        grid->addWidget(value, 2, 1);
    }
    grid->addWidget(within_, 3, 0, 1, 2);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(1, 1);
}
