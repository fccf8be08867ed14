#include "views/totals/daterangedialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

#include "platform/platform.h"
#include "report/preferences.h"
#include "views/widgets/appfont.h"
#include "views/widgets/storeddateedit.h"

namespace {

StoredDateEdit* MakePicker(TimeStamp stamp, const QString& name, QWidget* parent) {
    return new StoredDateEdit(Platform::Get().GetClock().ToLocal(stamp).date(), name, parent);
}

// The picked day at the stored time of day: only the day counts, and the
// time stays as it was.
TimeStamp PickedStamp(const QDateEdit* picker, TimeStamp stored) {
    const Clock& clock = Platform::Get().GetClock();
    return clock.FromLocal(picker->date(), clock.ToLocal(stored).time());
}

}  // namespace

CDateRangeDialog::CDateRangeDialog(CPreferences& preferences, QWidget* parent)
    : FullWindowDialog(QStringLiteral("Date Range"), TitleButton::Ok, parent),
      preferences_(preferences),
      allDates_(new QRadioButton(QStringLiteral("Include all dates"), Body())),
      includeDates_(new QRadioButton(QStringLiteral("Include dates"), Body())),
      fromLabel_(new QLabel(QStringLiteral("From:"), Body())),
      from_(MakePicker(preferences.GetSubtotalFrom(), QStringLiteral("From:"), Body())),
      toLabel_(new QLabel(QStringLiteral("To:"), Body())),
      to_(MakePicker(preferences.GetSubtotalTo(), QStringLiteral("To:"), Body())) {
    SetHelpTopic(QStringLiteral("Subtotals"));
    for (QWidget* control :
         {static_cast<QWidget*>(allDates_), static_cast<QWidget*>(includeDates_),
          static_cast<QWidget*>(fromLabel_), static_cast<QWidget*>(toLabel_)}) {
        control->setFont(AppFont());
    }
    allDates_->setAccessibleName(allDates_->text());
    includeDates_->setAccessibleName(includeDates_->text());
    fromLabel_->setBuddy(from_);
    toLabel_->setBuddy(to_);
    (preferences.GetSubtotalAllDates() ? allDates_ : includeDates_)->setChecked(true);
    EnablePickers();
    connect(allDates_, &QRadioButton::toggled, this, &CDateRangeDialog::EnablePickers);
    connect(includeDates_, &QRadioButton::toggled, this, &CDateRangeDialog::EnablePickers);

    auto* grid = new QGridLayout(Body());
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setVerticalSpacing(6);
    grid->addWidget(allDates_, 0, 0, 1, 3);
    grid->addWidget(includeDates_, 1, 0, 1, 3);
    grid->addWidget(fromLabel_, 2, 1);
    grid->addWidget(from_, 2, 2);
    grid->addWidget(toLabel_, 3, 1);
    grid->addWidget(to_, 3, 2);
    grid->setColumnMinimumWidth(0, 12);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(4, 1);
}

void CDateRangeDialog::EnablePickers() {
    const bool dates = includeDates_->isChecked();
    for (QWidget* control : {static_cast<QWidget*>(fromLabel_), static_cast<QWidget*>(from_),
                             static_cast<QWidget*>(toLabel_), static_cast<QWidget*>(to_)}) {
        control->setEnabled(dates);
    }
}

void CDateRangeDialog::accept() {
    // The days are stored only when they count.
    if (includeDates_->isChecked() && (!from_->CheckDay() || !to_->CheckDay())) {
        return;
    }
    preferences_.SetSubtotalAllDates(allDates_->isChecked());
    preferences_.SetSubtotalFrom(PickedStamp(from_, preferences_.GetSubtotalFrom()));
    preferences_.SetSubtotalTo(PickedStamp(to_, preferences_.GetSubtotalTo()));
    preferences_.WriteRegistry();
    FullWindowDialog::accept();
}
