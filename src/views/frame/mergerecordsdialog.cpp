#include "views/frame/mergerecordsdialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "platform/directories.h"
#include "report/expensedoc.h"
#include "report/reportcopies.h"
#include "views/widgets/appfont.h"

CMergeRecordsDialog::CMergeRecordsDialog(CExpenseDoc& document, QWidget* parent)
    : FullWindowDialog(QStringLiteral("Merge Records"), TitleButton::None, parent),
      document_(document),
      copy_(new QRadioButton(QStringLiteral("Copy"), Body())),
      move_(new QRadioButton(QStringLiteral("Move"), Body())),
      fromLabel_(new QLabel(QStringLiteral("From:"), Body())),
      from_(new QLabel(Body())),
      toLabel_(new QLabel(QStringLiteral("To:"), Body())),
      targets_(new QComboBox(Body())),
      noReports_(new QLabel(QStringLiteral("No Reports Available"), Body())),
      merge_(new QPushButton(QStringLiteral("Merge"), Body())),
      cancel_(new QPushButton(QStringLiteral("Cancel"), Body())) {
    SetHelpTopic(QStringLiteral("Merge Records"));
    for (QWidget* control : std::initializer_list<QWidget*>{
             copy_, move_, fromLabel_, from_, toLabel_, targets_, noReports_, merge_, cancel_}) {
        control->setFont(AppFont());
    }
    copy_->setAccessibleName(copy_->text());
    move_->setAccessibleName(move_->text());
    merge_->setAccessibleName(merge_->text());
    cancel_->setAccessibleName(cancel_->text());
    targets_->setAccessibleName(QStringLiteral("To:"));
    noReports_->setAccessibleName(noReports_->text());
    copy_->setChecked(true);

    CExpenseReport& report = document_.GetReport();
    from_->setText(report.IsOpen() ? report.GetHeader().GetTitle()
                                   : QStringLiteral("Not Available"));
    from_->setAccessibleName(QStringLiteral("From: ") + from_->text());
    QList<CExpenseReportInfo> headers;
    CExpenseReport::ListReports(headers, GetReportsDirectory(), false);
    for (const CExpenseReportInfo& header : headers) {
        if (header.GetPath() != report.GetHeader().GetPath()) {
            targets_->addItem(header.GetTitle());
            targetPaths_.append(header.GetPath());
        }
    }
    const bool any = !targetPaths_.isEmpty();
    targets_->setVisible(any);
    noReports_->setVisible(!any);
    merge_->setEnabled(any && report.IsOpen());
    if (any) {
        targets_->setCurrentIndex(0);
    }
    connect(merge_, &QPushButton::clicked, this, &CMergeRecordsDialog::Merge);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void CMergeRecordsDialog::ApplyLayout(ScreenLayout) {
    delete Body()->layout();
    auto* grid = new QGridLayout(Body());
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setVerticalSpacing(6);
    grid->addWidget(copy_, 0, 0);
    grid->addWidget(move_, 0, 1);
    grid->addWidget(fromLabel_, 1, 0);
    grid->addWidget(from_, 1, 1);
    grid->addWidget(toLabel_, 2, 0);
    grid->addWidget(targets_, 2, 1);
    grid->addWidget(noReports_, 2, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(merge_);
    buttons->addWidget(cancel_);
    grid->addLayout(buttons, 4, 0, 1, 2);
}

void CMergeRecordsDialog::Merge() {
    const int index = targets_->currentIndex();
    if (index < 0 || index >= targetPaths_.size()) {
        return;
    }
    moved_ = move_->isChecked();
    if (!ReportCopies::MergeVisibleRecords(document_.GetRecords(), targetPaths_[index], moved_)) {
        moved_ = false;
        return;
    }
    if (moved_) {
        document_.SetModifiedFlag(true);
    }
    accept();
}
