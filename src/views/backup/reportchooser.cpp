#include "views/backup/reportchooser.h"

#include <QHeaderView>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "views/widgets/appfont.h"
#include "views/widgets/commandbar.h"

namespace {

constexpr int kNameColumnWidth = 210;

}  // namespace

CReportChooser::CReportChooser(Source source, const BackupFileList& offered, Qt::CheckState state,
                               const BackupFileList& chosen, QWidget* parent)
    : FullWindowDialog(source == Source::Reports ? QStringLiteral("Select Reports to Backup...")
                                                 : QStringLiteral("Select Reports to Restore..."),
                       TitleButton::None, parent),
      offered_(offered),
      list_(new QTreeWidget(Body())),
      save_(Commands()->AddButton(QStringLiteral("Save"))),
      cancel_(Commands()->AddButton(QStringLiteral("Cancel"))) {
    list_->setAccessibleName(QStringLiteral("Reports"));
    list_->setFont(AppFont());
    list_->setColumnCount(1);
    list_->setHeaderLabels({QStringLiteral("Reports")});
    list_->header()->resizeSection(0, kNameColumnWidth);
    list_->setRootIsDecorated(false);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (const BackupFileEntry& entry : offered_) {
        auto* row = new QTreeWidgetItem(list_, {entry.ShownName()});
        const bool ticked =
            state == Qt::Checked || (state == Qt::PartiallyChecked && chosen.contains(entry));
        row->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
    }
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);
    connect(save_, &QToolButton::clicked, this, &CReportChooser::Save);
    connect(cancel_, &QToolButton::clicked, this, &QDialog::reject);
    SetHelpTopic(QStringLiteral("Backup and Restore"));
}

void CReportChooser::Save() {
    chosen_.clear();
    for (int row = 0; row < list_->topLevelItemCount(); ++row) {
        if (list_->topLevelItem(row)->checkState(0) == Qt::Checked) {
            chosen_.append(offered_.value(row));
        }
    }
    if (chosen_.size() == offered_.size()) {
        state_ = Qt::Checked;
        chosen_.clear();
    } else if (chosen_.isEmpty()) {
        state_ = Qt::Unchecked;
    } else {
        state_ = Qt::PartiallyChecked;
    }
    accept();
}
