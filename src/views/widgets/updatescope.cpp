#include "views/widgets/updatescope.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "report/expensedoc.h"
#include "report/report.h"
#include "views/widgets/appfont.h"

int UpdateScope::Ask(QWidget* parent, CExpenseDoc& document, const QString& message) {
    const bool allReports = CExpenseReport::CountReports() >= 2;
    const bool thisReport = document.GetRecords().GetCount(false) > 0;
    if (!allReports && !thisReport) {
        return kNoReports;
    }
    UpdateScope dialog(message, allReports, thisReport, parent);
    // Closing the dialog any other way is the safe answer.
    const int answer = dialog.exec();
    return answer == kAllReports || answer == kThisReport ? answer : kNoReports;
}

UpdateScope::UpdateScope(const QString& message, bool allReports, bool thisReport, QWidget* parent)
    : QDialog(parent),
      all_(new QPushButton(QStringLiteral("All Reports"))),
      this_(new QPushButton(QStringLiteral("This Report"))),
      none_(new QPushButton(QStringLiteral("No Reports"))) {
    setWindowTitle(QStringLiteral("Update..."));
    setAccessibleName(windowTitle());
    setFont(AppFont());
    auto* text = new QLabel(message);
    text->setWordWrap(true);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(4);
    const std::pair<QPushButton*, int> answers[] = {
        {all_, kAllReports}, {this_, kThisReport}, {none_, kNoReports}};
    for (const auto& [button, answer] : answers) {
        button->setAccessibleName(button->text());
        button->setAutoDefault(false);
        buttons->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, answer] { done(answer); });
    }
    all_->setEnabled(allReports);
    this_->setEnabled(thisReport);
    none_->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(text);
    layout->addLayout(buttons);
    if (parent != nullptr) {
        setFixedWidth(std::min(230, parent->window()->width()));
    }
}

QPushButton* UpdateScope::Button(Answer answer) const {
    switch (answer) {
        case kAllReports:
            return all_;
        case kThisReport:
            return this_;
        case kNoReports:
            break;
    }
    return none_;
}
