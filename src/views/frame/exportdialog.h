#pragma once

#include "export/receiptfile.h"
#include "views/widgets/fullwindowdialog.h"

class CExpenseDoc;
class QCheckBox;
class QRadioButton;
class QStackedWidget;
class WrappingLabel;

// "Export Report": the open report, or its selection, handed in as a CSV
// file for a spreadsheet, as a printable PDF expense report, or as a
// reimbursement package of both with the receipts (a ZIP file, or a folder)
// in the Exports folder. Once the file is written the dialog shows its whole
// path and offers to open the file, or the folder that holds it, with the
// desktop's programs.
class CExportDialog : public FullWindowDialog {
    Q_OBJECT

public:
    CExportDialog(CExpenseDoc& document, QWidget* parent);
    // Where a package finds the expenses' receipts; none without it.
    void SetReceipts(ReceiptSource receipts) { receipts_ = std::move(receipts); }

    QRadioButton* CsvButton() const { return csv_; }
    QRadioButton* PdfButton() const { return pdf_; }
    QRadioButton* PackageButton() const { return package_; }
    // A package as a folder rather than a ZIP file.
    QCheckBox* AsFolder() const { return asFolder_; }
    QCheckBox* SelectedOnly() const { return selectedOnly_; }
    QPushButton* ExportButton() const { return export_; }
    QPushButton* CancelButton() const { return cancel_; }
    // The file the last export wrote.
    const QString& WrittenPath() const { return written_; }

    // The page shown once `path` is written.
    void ShowWritten(const QString& path);
    WrappingLabel* WrittenLabel() const { return writtenLabel_; }
    QPushButton* OpenFileButton() const { return openFile_; }
    QPushButton* OpenFolderButton() const { return openFolder_; }
    QPushButton* DoneButton() const { return done_; }

    // Once the file is written, closing the dialog is finishing it.
    void reject() override;

private:
    QWidget* MakeChoices();
    QWidget* MakeWritten();
    void Export();
    void Open(const QString& path);

    CExpenseDoc& document_;  // not owned
    ReceiptSource receipts_;
    QStackedWidget* pages_;
    QRadioButton* csv_;
    QRadioButton* pdf_;
    QRadioButton* package_;
    QCheckBox* asFolder_;
    QCheckBox* selectedOnly_;
    QPushButton* export_;
    QPushButton* cancel_;
    WrappingLabel* writtenLabel_;
    QPushButton* openFile_;
    QPushButton* openFolder_;
    QPushButton* done_;
    QString written_;
};
