#include "views/totals/daterangebox.h"

#include "platform/dateformatting.h"
#include "report/preferences.h"

namespace {

constexpr int kShortDate = 0;

}  // namespace

CDateRangeBox::CDateRangeBox(QWidget* parent) : QComboBox(parent) {
    setAccessibleName(QStringLiteral("Date Range:"));
}

QString CDateRangeBox::RangeText(const CPreferences& preferences) {
    if (preferences.GetSubtotalAllDates()) {
        return QStringLiteral("All Dates");
    }
    return FormatDate(preferences.GetSubtotalFrom(), kShortDate) + QStringLiteral(" - ") +
           FormatDate(preferences.GetSubtotalTo(), kShortDate);
}

void CDateRangeBox::Refill(const CPreferences& preferences) {
    const QSignalBlocker block(this);
    clear();
    addItem(RangeText(preferences));
    setCurrentIndex(0);
}

void CDateRangeBox::showPopup() {
    emit tapped();
}
