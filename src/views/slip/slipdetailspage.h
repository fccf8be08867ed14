#pragma once

#include <array>

#include "views/widgets/fullwindowdialog.h"

class QPlainTextEdit;
class QToolButton;

// The slip's details page: where the expense was, what for, and with whom.
// Save keeps the three texts; Cancel leaves them as they were.
class CSlipDetailsPage : public FullWindowDialog {
    Q_OBJECT

public:
    enum Text { kLocation = 0, kPurpose = 1, kContacts = 2 };

    CSlipDetailsPage(const QString& location, const QString& purpose, const QString& contacts,
                     QWidget* parent);

    QPlainTextEdit* Edit(Text text) const { return edits_[text]; }
    QString Value(Text text) const;
    QToolButton* SaveButton() const { return save_; }

private:
    std::array<QPlainTextEdit*, 3> edits_{};
    QToolButton* save_;
};
