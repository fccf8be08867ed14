#pragma once

#include <QComboBox>
#include <QWidget>
#include <functional>

#include "views/widgets/taplabel.h"

// The drop-down of report titles. Just before it opens it asks its owner to
// fill it; the owner may refuse (no report to show), and it stays shut.
class ReportComboBox : public QComboBox {
    Q_OBJECT

public:
    using FillFunction = std::function<bool()>;

    explicit ReportComboBox(QWidget* parent = nullptr);
    void SetFill(FillFunction fill) { fill_ = std::move(fill); }
    void showPopup() override;

private:
    FillFunction fill_;
};

// The bar at the top of the window: "Report:" (a tap edits the report's
// details) and the drop-down of every report's title, showing the open one.
class ActiveReportBar : public QWidget {
    Q_OBJECT

public:
    explicit ActiveReportBar(QWidget* parent = nullptr);

    TapLabel* Label() const { return label_; }
    ReportComboBox* Reports() const { return reports_; }
    // Shows `title` as the only item.
    void SetActiveReportName(const QString& title);
    QString ActiveReportName() const { return reports_->currentText(); }

private:
    TapLabel* label_;          // owned by the bar
    ReportComboBox* reports_;  // owned by the bar
};
