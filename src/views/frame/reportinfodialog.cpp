#include "views/frame/reportinfodialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

#include "lists/historyholder.h"
#include "money/currencyformat.h"
#include "platform/directories.h"
#include "platform/platform.h"
#include "receipts/receiptfolders.h"
#include "report/expensedoc.h"
#include "report/expensereportinfo.h"
#include "views/pads/padamountedit.h"
#include "views/widgets/appfont.h"
#include "views/widgets/bitmapbutton.h"
#include "views/widgets/commandbar.h"

namespace {

constexpr int kMaxTitleLength = 25;

QString HeadingText(CReportInfoDialog::Mode mode) {
    switch (mode) {
        case CReportInfoDialog::Mode::New:
            return QStringLiteral("New Report");
        case CReportInfoDialog::Mode::Edit:
            return QStringLiteral("Edit Report");
        case CReportInfoDialog::Mode::Save:
            return QStringLiteral("Save Report");
    }
    return QString();
}

QLabel* MakeLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFont(AppFont());
    return label;
}

// A label names the control it stands before, for the screen reader too.
template <typename Control>
Control* Named(Control* control, const QString& name) {
    control->setAccessibleName(name);
    return control;
}

}  // namespace

CReportInfoDialog::CReportInfoDialog(Mode mode, CExpenseReportInfo& header, CExpenseDoc& document,
                                     QWidget* parent)
    : FullWindowDialog(QStringLiteral("Expense Report"), TitleButton::Ok, parent),
      mode_(mode),
      header_(header),
      document_(document),
      heading_(new QLabel(HeadingText(mode), Body())),
      titleLabel_(MakeLabel(QStringLiteral("Report Title:"), Body())),
      title_(Named(new QLineEdit(Body()), QStringLiteral("Report Title:"))),
      cashLabel_(MakeLabel(QStringLiteral("Cash Advanced:"), Body())),
      cashAdvance_(Named(new CPadAmountEdit(Body()), QStringLiteral("Cash Advanced:"))),
      locationButton_(new BitmapButton(QStringLiteral("Location"), Body())),
      location_(Named(new QPlainTextEdit(Body()), QStringLiteral("Location"))),
      purposeButton_(new BitmapButton(QStringLiteral("Purpose"), Body())),
      purpose_(Named(new QPlainTextEdit(Body()), QStringLiteral("Purpose"))),
      status_(new QGroupBox(QStringLiteral("Status"), Body())),
      submitted_(
          Named(new QCheckBox(QStringLiteral("Submitted"), status_), QStringLiteral("Submitted"))),
      reimbursed_(Named(new QCheckBox(QStringLiteral("Reimbursed"), status_),
                        QStringLiteral("Reimbursed"))) {
    SetHelpTopic(QStringLiteral("First Expense Report"));
    QFont headingFont = ScaledFont(AppFont(), 14);
    headingFont.setBold(true);
    heading_->setFont(headingFont);
    heading_->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
    heading_->setAccessibleName(heading_->text());
    status_->setFont(AppFont());
    auto* statusLayout = new QHBoxLayout(status_);
    statusLayout->setContentsMargins(4, 0, 4, 0);
    statusLayout->addWidget(submitted_);
    statusLayout->addWidget(reimbursed_);
    title_->setMaxLength(kMaxTitleLength);
    for (QPlainTextEdit* edit : {location_, purpose_}) {
        edit->setTabChangesFocus(true);
        edit->setFont(AppFont());
    }
    title_->setFont(AppFont());
    cashAdvance_->setFont(AppFont());
    // A home currency the table does not know is written the device's way.
    CCurrencyFormat homeFormat(true);
    document_.GetCurrencyTable().GetHomeFormat(homeFormat);
    cashAdvance_->SetFormat(homeFormat);
    cashAdvance_->SetLimit(MoneyBounds::Kind::kCashAdvance);

    if (mode_ != Mode::New) {
        title_->setText(header_.GetTitle());
        location_->setPlainText(header_.GetLocation());
        purpose_->setPlainText(header_.GetPurpose());
        submitted_->setChecked(header_.IsSubmitted());
        reimbursed_->setChecked(header_.IsReimbursed());
    }
    cashAdvance_->SetAmount(mode_ != Mode::New ? header_.GetCashAdvance() : Amount());
    reimbursed_->setEnabled(submitted_->isChecked());

    connect(title_, &QLineEdit::textEdited, this, &CReportInfoDialog::MarkModified);
    connect(cashAdvance_, &CAmountEdit::amountEdited, this, &CReportInfoDialog::MarkModified);
    connect(location_, &QPlainTextEdit::textChanged, this, &CReportInfoDialog::MarkModified);
    connect(purpose_, &QPlainTextEdit::textChanged, this, &CReportInfoDialog::MarkModified);
    connect(submitted_, &QCheckBox::toggled, this, [this](bool checked) {
        MarkModified();
        if (!checked) {
            reimbursed_->setChecked(false);
        }
        reimbursed_->setEnabled(checked);
    });
    connect(reimbursed_, &QCheckBox::toggled, this, &CReportInfoDialog::MarkModified);
    connect(locationButton_, &QPushButton::clicked, this, [this] {
        PickFromHistory(locationButton_, location_,
                        static_cast<int>(CHistoryHolder::Kind::ReportLocations));
    });
    connect(purposeButton_, &QPushButton::clicked, this, [this] {
        PickFromHistory(purposeButton_, purpose_, static_cast<int>(CHistoryHolder::Kind::Purpose));
    });
    Commands()->AddStretch();
}

void CReportInfoDialog::ApplyLayout(ScreenLayout layout) {
    delete Body()->layout();
    auto* grid = new QGridLayout(Body());
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);
    const int labelHeight = locationButton_->height();
    location_->setMinimumHeight(labelHeight);
    purpose_->setMinimumHeight(labelHeight);
    // The square screen is as narrow as the portrait one: the fields stack
    // the same way, with lower texts.
    if (layout != ScreenLayout::Landscape) {
        grid->addWidget(heading_, 0, 0, 1, 2);
        grid->addWidget(titleLabel_, 1, 0);
        grid->addWidget(title_, 1, 1);
        grid->addWidget(cashLabel_, 2, 0);
        grid->addWidget(cashAdvance_, 2, 1);
        grid->addWidget(locationButton_, 3, 0, Qt::AlignTop);
        grid->addWidget(location_, 3, 1);
        grid->addWidget(purposeButton_, 4, 0, Qt::AlignTop);
        grid->addWidget(purpose_, 4, 1);
        grid->addWidget(status_, 5, 0, 1, 2);
        grid->setRowStretch(3, 1);
        grid->setRowStretch(4, 1);
    } else {
        // Wider and lower: title and cash advance side by side, the two
        // texts beside each other, the status at the foot.
        grid->addWidget(heading_, 0, 0, 1, 4);
        grid->addWidget(titleLabel_, 1, 0);
        grid->addWidget(title_, 1, 1);
        grid->addWidget(cashLabel_, 1, 2);
        grid->addWidget(cashAdvance_, 1, 3);
        grid->addWidget(locationButton_, 2, 0, 1, 2, Qt::AlignLeft);
        grid->addWidget(purposeButton_, 2, 2, 1, 2, Qt::AlignLeft);
        grid->addWidget(location_, 3, 0, 1, 2);
        grid->addWidget(purpose_, 3, 2, 1, 2);
        grid->addWidget(status_, 4, 0, 1, 4);
        grid->setRowStretch(3, 1);
        grid->setColumnStretch(1, 1);
        grid->setColumnStretch(3, 1);
    }
}

void CReportInfoDialog::PickFromHistory(BitmapButton* button, QPlainTextEdit* edit, int kind) {
    CHistoryHolder holder(static_cast<CHistoryHolder::Kind>(kind));
    holder.Load(false);
    const QStringList items = holder.GetHistory().GetItems();
    if (items.isEmpty()) {
        return;
    }
    QMenu menu(this);
    menu.setFont(AppFont());
    for (const QString& item : items) {
        menu.addAction(item);
    }
    const QAction* picked = menu.exec(button->mapToGlobal(QPoint(0, button->height())));
    if (picked == nullptr) {
        return;
    }
    QTextCursor cursor = edit->textCursor();
    // Places add up ("Oslo, Bergen"); a purpose goes where the caret is.
    if (kind == static_cast<int>(CHistoryHolder::Kind::ReportLocations) &&
        !edit->toPlainText().isEmpty()) {
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(QStringLiteral(", ") + picked->text());
    } else {
        cursor.insertText(picked->text());
    }
    edit->setTextCursor(cursor);
}

void CReportInfoDialog::accept() {
    if (!modified_ && mode_ != Mode::New) {
        reject();
        return;
    }
    const double cash = cashAdvance_->GetValue();
    if (const QString problem = CExpenseReportInfo::CashAdvanceProblem(cash); !problem.isEmpty()) {
        Platform::Get().GetPrompts().Warning(problem);
        cashAdvance_->setFocus();
        return;
    }
    // Checked on a copy, so that a refused title leaves the report's header
    // as it was while the user corrects it.
    CExpenseReportInfo changed(header_);
    if (cash != changed.GetCashAdvance().GetValue()) {
        changed.SetCashAdvance(Amount(cash));
    }
    changed.SetLocation(location_->toPlainText());
    changed.SetPurpose(purpose_->toPlainText());
    changed.SetSubmitted(submitted_->isChecked());
    changed.SetReimbursed(submitted_->isChecked() && reimbursed_->isChecked());
    QString error;
    const bool keepsFile = mode_ == Mode::Edit;
    if (!changed.ValidateName(GetReportsDirectory(), title_->text().trimmed(), keepsFile, error)) {
        if (!error.isEmpty()) {
            Platform::Get().GetPrompts().Warning(error);
        }
        title_->setFocus();
        return;
    }
    // The report's file was renamed: its receipts follow.
    if (keepsFile && changed.GetPath() != header_.GetPath() &&
        !ReceiptFolders::Move(header_.GetPath(), changed.GetPath(), error)) {
        Platform::Get().GetPrompts().Warning(error);
    }
    header_ = changed;
    FullWindowDialog::accept();
}
