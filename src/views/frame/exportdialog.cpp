#include "views/frame/exportdialog.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "export/reportexporter.h"
#include "platform/platform.h"
#include "report/expensedoc.h"
#include "views/widgets/appfont.h"
#include "views/widgets/wrappinglabel.h"

namespace {

template <typename Control>
Control* Named(Control* control) {
    control->setAccessibleName(control->text());
    control->setFont(AppFont());
    return control;
}

QVBoxLayout* PageLayout(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(6, 6, 6, 6);
    return layout;
}

// The buttons at the foot of a page, at its right.
void AddFoot(QVBoxLayout* layout, std::initializer_list<QPushButton*> buttons) {
    layout->addStretch(1);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton* button : buttons) {
        row->addWidget(button);
    }
    layout->addLayout(row);
}

}  // namespace

CExportDialog::CExportDialog(CExpenseDoc& document, QWidget* parent)
    : FullWindowDialog(QStringLiteral("Export Report"), TitleButton::None, parent),
      document_(document),
      pages_(new QStackedWidget(Body())),
      csv_(Named(new QRadioButton(QStringLiteral("CSV file for a spreadsheet")))),
      pdf_(Named(new QRadioButton(QStringLiteral("PDF expense report to print")))),
      package_(Named(new QRadioButton(QStringLiteral("Package of both with the receipts")))),
      asFolder_(Named(new QCheckBox(QStringLiteral("As a folder, not a ZIP file")))),
      selectedOnly_(Named(new QCheckBox(QStringLiteral("Only the selected expenses")))),
      export_(Named(new QPushButton(QStringLiteral("Export")))),
      cancel_(Named(new QPushButton(QStringLiteral("Cancel")))),
      writtenLabel_(new WrappingLabel),
      openFile_(Named(new QPushButton(QStringLiteral("Open File")))),
      openFolder_(Named(new QPushButton(QStringLiteral("Open Folder")))),
      done_(Named(new QPushButton(QStringLiteral("Done")))) {
    pages_->addWidget(MakeChoices());
    pages_->addWidget(MakeWritten());
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pages_);
    connect(export_, &QPushButton::clicked, this, &CExportDialog::Export);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(openFile_, &QPushButton::clicked, this, [this] { Open(written_); });
    connect(openFolder_, &QPushButton::clicked, this,
            [this] { Open(QFileInfo(written_).absolutePath()); });
    connect(done_, &QPushButton::clicked, this, &QDialog::accept);
}

QWidget* CExportDialog::MakeChoices() {
    auto* page = new QWidget;
    auto* intro = new QLabel(
        QStringLiteral("Hand in \"%1\" as:").arg(document_.GetReport().GetHeader().GetTitle()),
        page);
    intro->setFont(AppFont());
    intro->setWordWrap(true);
    pdf_->setChecked(true);
    const bool selection = document_.GetRecords().GetQuery().IsActive();
    selectedOnly_->setEnabled(selection);
    selectedOnly_->setChecked(selection);
    QVBoxLayout* layout = PageLayout(page);
    // Five choices and the buttons fit the landscape and square screens only
    // packed this close.
    layout->setSpacing(2);
    layout->addWidget(intro);
    layout->addWidget(pdf_);
    layout->addWidget(csv_);
    layout->addWidget(package_);
    // Under the choice it belongs to, as its detail.
    auto* folderRow = new QHBoxLayout;
    folderRow->addSpacing(18);
    folderRow->addWidget(asFolder_);
    layout->addLayout(folderRow);
    asFolder_->setEnabled(false);
    connect(package_, &QRadioButton::toggled, asFolder_, &QCheckBox::setEnabled);
    layout->addSpacing(6);
    layout->addWidget(selectedOnly_);
    AddFoot(layout, {export_, cancel_});
    export_->setDefault(true);
    return page;
}

QWidget* CExportDialog::MakeWritten() {
    auto* page = new QWidget;
    writtenLabel_->setFont(AppFont());
    writtenLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QVBoxLayout* layout = PageLayout(page);
    layout->addWidget(writtenLabel_);
    layout->addSpacing(6);
    // One below the other: side by side they are wider than the handheld.
    layout->addWidget(openFile_, 0, Qt::AlignLeft);
    layout->addWidget(openFolder_, 0, Qt::AlignLeft);
    AddFoot(layout, {done_});
    return page;
}

void CExportDialog::ShowWritten(const QString& path) {
    written_ = path;
    writtenLabel_->setText(
        package_->isChecked()
            ? QStringLiteral("The expense report and its receipts were exported to %1").arg(path)
            : QStringLiteral("The expense report was exported to %1").arg(path));
    writtenLabel_->setAccessibleName(writtenLabel_->text());
    pages_->setCurrentIndex(1);
    done_->setDefault(true);
    done_->setFocus();
}

void CExportDialog::reject() {
    if (written_.isEmpty()) {
        FullWindowDialog::reject();
    } else {
        accept();
    }
}

void CExportDialog::Export() {
    CReportExporter::Request request;
    request.format = CReportExporter::Format::kCsv;
    if (pdf_->isChecked()) {
        request.format = CReportExporter::Format::kPdf;
    } else if (package_->isChecked()) {
        request.format = CReportExporter::Format::kPackage;
        request.packageFolder = asFolder_->isChecked();
    }
    request.selectedOnly = selectedOnly_->isEnabled() && selectedOnly_->isChecked();
    Prompts& prompts = Platform::Get().GetPrompts();
    CReportExporter::Result result;
    {
        WaitCursor wait(prompts);
        request.receipts = receipts_;
        result = CReportExporter::Export(document_.GetReport(), request);
    }
    if (!result.ok) {
        prompts.Warning(result.error);
        return;
    }
    ShowWritten(result.path);
}

void CExportDialog::Open(const QString& path) {
    if (!Platform::Get().GetShell().Open(path)) {
        Platform::Get().GetPrompts().Warning(
            QStringLiteral("No program could be found to open %1.").arg(path));
    }
}
