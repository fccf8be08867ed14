#include "views/backup/backupcontents.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "backup/backupcategory.h"
#include "views/backup/reportchooser.h"
#include "views/widgets/appfont.h"

QCheckBox* CBackupContents::MakeBox(const QString& text, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setAccessibleName(QString(text).remove(QLatin1Char('&')));
    box->setFont(AppFont());
    return box;
}

CBackupContents::CBackupContents(const QString& title, bool restoring, QWidget* parent)
    : QGroupBox(title, parent),
      restoring_(restoring),
      reports_(MakeBox(QStringLiteral("&Expense Reports"), this)),
      choose_(new QPushButton(QStringLiteral("..."), this)),
      dataFiles_(MakeBox(QStringLiteral("&Data Files"), this)),
      images_(MakeBox(QStringLiteral("&Images"), this)),
      receipts_(MakeBox(QStringLiteral("&Receipts"), this)) {
    setFont(AppFont());
    setAccessibleName(title);
    choose_->setAccessibleName(QStringLiteral("Select Reports"));
    choose_->setFixedSize(24, 20);
    for (QCheckBox* box : {reports_, dataFiles_, images_, receipts_}) {
        box->setChecked(true);
    }
    // A tap leaves the third state for ticked and goes on between ticked and
    // unticked; only the chooser sets the third state.
    connect(reports_, &QCheckBox::clicked, this, [this] {
        reports_->setTristate(false);
        chosen_.clear();
    });
}

quint32 CBackupContents::Flags() const {
    quint32 flags = 0;
    if (reports_->checkState() != Qt::Unchecked) {
        flags |= kBackupReports;
    }
    if (dataFiles_->isChecked()) {
        flags |= kBackupDataFiles;
    }
    if (images_->isChecked()) {
        flags |= kBackupImages;
    }
    if (receipts_->isChecked()) {
        flags |= kBackupReceipts;
    }
    return flags;
}

BackupFileList CBackupContents::ReportsToWorkOn(
    const std::function<void(BackupFileList&)>& listAll) const {
    BackupFileList reports;
    if (reports_->checkState() == Qt::Checked) {
        listAll(reports);
    } else if (reports_->checkState() == Qt::PartiallyChecked) {
        reports = chosen_;
    }
    return reports;
}

void CBackupContents::ChooseReports(const BackupFileList& offered) {
    CReportChooser chooser(
        restoring_ ? CReportChooser::Source::Archive : CReportChooser::Source::Reports, offered,
        reports_->checkState(), chosen_, window());
    if (chooser.exec() != QDialog::Accepted) {
        return;
    }
    chosen_ = chooser.Chosen();
    reports_->setCheckState(chooser.State());
    if (chooser.State() != Qt::PartiallyChecked) {
        reports_->setTristate(false);
    }
}

void CBackupContents::ApplyLayout(ScreenLayout form) {
    const bool low = form != ScreenLayout::Portrait;
    delete layout();
    auto* grid = new QGridLayout(this);
    const bool square = form == ScreenLayout::Square;
    grid->setContentsMargins(square ? 1 : 4, 2, square ? 1 : 4, 2);
    grid->setVerticalSpacing(low ? 0 : 2);
    grid->addWidget(reports_, 0, 0);
    grid->addWidget(choose_, 0, 1, Qt::AlignLeft);
    for (QCheckBox* box : {dataFiles_, images_, receipts_}) {
        box->setStyleSheet(square ? QStringLiteral("QCheckBox { spacing: 2px; }") : QString());
    }
    if (low) {
        // The square screen has room for the three boxes in a row only
        // when they stand close, each near its own box.
        auto* row = new QHBoxLayout;
        row->setSpacing(square ? 0 : 6);
        row->addWidget(dataFiles_);
        row->addWidget(images_);
        row->addWidget(receipts_);
        row->addStretch(1);
        grid->addLayout(row, 1, 0, 1, 3);
    } else {
        // Pictures and receipts share a row: the page keeps its height.
        grid->addWidget(dataFiles_, 1, 0, 1, 3);
        auto* row = new QHBoxLayout;
        row->setSpacing(6);
        row->addWidget(images_);
        row->addWidget(receipts_);
        row->addStretch(1);
        grid->addLayout(row, 2, 0, 1, 3);
    }
    grid->setColumnStretch(2, 1);
}

void CBackupContents::AddPathRows(QBoxLayout* column, ScreenLayout layout, QLabel* label,
                                  QWidget* path, QPushButton* browse, QPushButton* action) {
    // The label has a line of its own, so that the path has the width of the
    // screen less its buttons; the portrait screen puts the action below.
    column->addWidget(label);
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    row->addWidget(path, 1);
    row->addWidget(browse);
    if (layout != ScreenLayout::Portrait) {
        row->addWidget(action);
        column->addLayout(row);
        return;
    }
    column->addLayout(row);
    column->addWidget(action, 0, Qt::AlignRight);
}
