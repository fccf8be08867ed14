#pragma once

#include "views/widgets/fullwindowdialog.h"

class CExpenseDoc;
class QCheckBox;
class QRadioButton;

// "Export Report": the open report, or its selection, handed in as a CSV
// file for a spreadsheet or as a printable PDF expense report in the Exports
// folder. The file's path is shown once it is written.
class CExportDialog : public FullWindowDialog {
    Q_OBJECT

public:
    CExportDialog(CExpenseDoc& document, QWidget* parent);

    QRadioButton* CsvButton() const { return csv_; }
    QRadioButton* PdfButton() const { return pdf_; }
    QCheckBox* SelectedOnly() const { return selectedOnly_; }
    QPushButton* ExportButton() const { return export_; }
    QPushButton* CancelButton() const { return cancel_; }
    // The file the last export wrote.
    const QString& WrittenPath() const { return written_; }

private:
    void Export();

    CExpenseDoc& document_;  // not owned
    QRadioButton* csv_;
    QRadioButton* pdf_;
    QCheckBox* selectedOnly_;
    QPushButton* export_;
    QPushButton* cancel_;
    QString written_;
};
