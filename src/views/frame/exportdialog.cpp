#include "views/frame/exportdialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "export/reportexporter.h"
#include "platform/platform.h"
#include "report/expensedoc.h"
#include "views/widgets/appfont.h"

namespace {

template <typename Control>
Control* Named(Control* control) {
    control->setAccessibleName(control->text());
    control->setFont(AppFont());
    return control;
}

}  // namespace

CExportDialog::CExportDialog(CExpenseDoc& document, QWidget* parent)
    : FullWindowDialog(QStringLiteral("Export Report"), TitleButton::None, parent),
      document_(document),
      csv_(Named(new QRadioButton(QStringLiteral("CSV file for a spreadsheet"), Body()))),
      pdf_(Named(new QRadioButton(QStringLiteral("PDF expense report to print"), Body()))),
      selectedOnly_(Named(new QCheckBox(QStringLiteral("Only the selected expenses"), Body()))),
      export_(Named(new QPushButton(QStringLiteral("Export"), Body()))),
      cancel_(Named(new QPushButton(QStringLiteral("Cancel"), Body()))) {
    auto* intro = new QLabel(
        QStringLiteral("Hand in \"%1\" as:").arg(document_.GetReport().GetHeader().GetTitle()),
        Body());
    intro->setFont(AppFont());
    intro->setWordWrap(true);
    pdf_->setChecked(true);
    const bool selection = document_.GetRecords().GetQuery().IsActive();
    selectedOnly_->setEnabled(selection);
    selectedOnly_->setChecked(selection);
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(intro);
    layout->addWidget(pdf_);
    layout->addWidget(csv_);
    layout->addSpacing(6);
    layout->addWidget(selectedOnly_);
    layout->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(export_);
    buttons->addWidget(cancel_);
    layout->addLayout(buttons);
    export_->setDefault(true);
    connect(export_, &QPushButton::clicked, this, &CExportDialog::Export);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void CExportDialog::Export() {
    CReportExporter::Request request;
    request.format =
        pdf_->isChecked() ? CReportExporter::Format::kPdf : CReportExporter::Format::kCsv;
    request.selectedOnly = selectedOnly_->isEnabled() && selectedOnly_->isChecked();
    Prompts& prompts = Platform::Get().GetPrompts();
    CReportExporter::Result result;
    {
        WaitCursor wait(prompts);
        result = CReportExporter::Export(document_.GetReport(), request);
    }
    if (!result.ok) {
        prompts.Warning(result.error);
        return;
    }
    written_ = result.path;
    prompts.Information(QStringLiteral("The expense report was exported to %1").arg(result.path));
    accept();
}
