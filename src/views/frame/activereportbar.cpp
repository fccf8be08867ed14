#include "views/frame/activereportbar.h"

#include <QHBoxLayout>

#include "views/widgets/appfont.h"

ReportComboBox::ReportComboBox(QWidget* parent) : QComboBox(parent) {}

void ReportComboBox::showPopup() {
    if (!fill_ || fill_()) {
        QComboBox::showPopup();
    }
}

ActiveReportBar::ActiveReportBar(QWidget* parent)
    : QWidget(parent),
      label_(new TapLabel(QStringLiteral("Report:"), this)),
      reports_(new ReportComboBox(this)) {
    setAccessibleName(QStringLiteral("Active report"));
    setFixedHeight(24);
    label_->setFont(AppFont());
    reports_->setFont(AppFont());
    reports_->setAccessibleName(QStringLiteral("Report"));
    auto* layout = new QHBoxLayout(this);
    // The list fills the bar to the right of the label, 4 pixels short of
    // the right edge.
    layout->setContentsMargins(3, 1, 4, 1);
    layout->setSpacing(3);
    layout->addWidget(label_);
    layout->addWidget(reports_, 1);
}

void ActiveReportBar::SetActiveReportName(const QString& title) {
    const QSignalBlocker block(reports_);
    reports_->clear();
    reports_->addItem(title);
    reports_->setCurrentIndex(0);
}
