#pragma once

#include <QScrollArea>
#include <array>

#include "lists/personalinfo.h"

class QLabel;
class QLineEdit;

// The personal information as thirteen labelled one-line fields, one row
// below the other, scrolling where the screen is too low for them all. The
// view keeps its own copy of the record, read from its file when the view
// is made and written back by Save.
class CPersonalInfoView : public QScrollArea {
    Q_OBJECT

public:
    // Rows in the handheld's pixels.
    static constexpr int kRowStep = 21;
    static constexpr int kRowHeight = 18;
    static constexpr int kTop = 7;
    static constexpr int kLabelRight = 100;
    static constexpr int kFieldLeft = 105;
    static constexpr int kSmallestLabelPixels = 10;

    // The labels of the state and the zip code are a region and a postal
    // code for an international traveller.
    CPersonalInfoView(bool internationalTraveler, QWidget* parent);

    QLabel* Label(CPersonalInfo::Field field) const { return labels_[field]; }
    QLineEdit* Field(CPersonalInfo::Field field) const { return fields_[field]; }
    const CPersonalInfo& Info() const { return info_; }
    bool IsModified() const { return modified_; }
    // The height of the rows with their margins: what the view scrolls over.
    int ContentHeight() const { return contentHeight_; }

    // Stores every field's text, blanks at both ends trimmed, and writes the
    // record to its file; a failed write is shown, and false.
    bool Save();

signals:
    void modifiedChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOutRows();
    void KeepRowSteps();
    void FitLabels();

    CPersonalInfo info_;
    std::array<QLabel*, CPersonalInfo::kFieldCount> labels_{};
    std::array<QLineEdit*, CPersonalInfo::kFieldCount> fields_{};
    int contentHeight_ = 0;
    bool modified_ = false;
};
