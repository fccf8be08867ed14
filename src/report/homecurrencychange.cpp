#include "report/homecurrencychange.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "lists/currencytable.h"
#include "money/moneybounds.h"
#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "platform/platform.h"
#include "report/expenserecords.h"
#include "report/preferences.h"
#include "report/report.h"

namespace {

using Kind = MoneyBounds::Kind;

QString TitleOf(const QString& path) {
    return QFileInfo(path).completeBaseName();
}

// A rate as the user types it: no more decimals than it needs.
QString PlainNumber(double value) {
    QString text = QString::number(value, 'f', MoneyBounds::kMaxDigits);
    while (text.endsWith(QLatin1Char('0'))) {
        text.chop(1);
    }
    if (text.endsWith(QLatin1Char('.'))) {
        text.chop(1);
    }
    return text;
}

QString Counted(int count, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

// Home money in the new home currency, or no value when it would leave the
// bounds of `kind`.
bool ConvertHomeMoney(Amount& money, double factor, int digits, Kind kind) {
    Amount converted(money.GetValue() / factor);
    converted.Round(digits);
    if (!MoneyBounds::Contains(kind, converted.GetValue())) {
        return false;
    }
    money = converted;
    return true;
}

}  // namespace

CHomeCurrencyChange::CHomeCurrencyChange(CExpenseReport& open, QString oldHome, double rebasedBy)
    : open_(open),
      table_(open.GetCurrencyTable()),
      oldHome_(std::move(oldHome)),
      rebasedBy_(rebasedBy) {}

CHomeCurrencyChange::~CHomeCurrencyChange() = default;

QString CHomeCurrencyChange::ConvertRecord(CExpenseRecord& record, double factor, int digits,
                                           const QString& home) {
    if (record.IsMileage()) {
        // A trip is claimed in the home currency at a rate per distance in it.
        Amount amount = record.GetAmount(false);
        if (!ConvertHomeMoney(amount, factor, digits, Kind::kAmount)) {
            return MoneyBounds::Message(Kind::kAmount);
        }
        record.SetAmount(amount);
        Amount rate = record.GetMileageRate();
        if (rate.GetValue() != 0.0 &&
            !ConvertHomeMoney(rate, factor, MoneyBounds::kMaxDigits, Kind::kMileageRate)) {
            return MoneyBounds::Message(Kind::kMileageRate);
        }
        record.SetMileageRate(rate);
        record.SetCurrencyName(home);
    } else {
        const double rate = RebaseRate(record.GetExchangeRate().GetValue(), factor);
        if (!MoneyBounds::Contains(Kind::kRate, rate)) {
            return MoneyBounds::Message(Kind::kRate);
        }
        record.SetExchangeRate(Amount(rate));
    }
    return record.HasStoredValues() ? QString() : MoneyBounds::HomeAmountMessage();
}

bool CHomeCurrencyChange::Plan() {
    planned_.clear();
    unreadable_.clear();
    problem_.clear();
    expenses_ = 0;
    CCurrencyFormat format;
    CurrencyRate rate;
    // A rate the user gave the old home currency after the change is the
    // one to convert at.
    factor_ = table_.GetRate(oldHome_, format, rate) ? rate.GetRate() : rebasedBy_;

    QStringList paths;
    const QString folder = GetReportsDirectory();
    if (!folder.isEmpty()) {
        const QStringList names =
            QDir(folder).entryList({QStringLiteral("*.xpf")}, QDir::Files, QDir::Name);
        for (const QString& name : names) {
            paths.append(JoinPath(folder, name));
        }
    }
    const QString openPath = open_.IsOpen() ? open_.GetHeader().GetPath() : QString();
    const auto isOpen = [&](const QString& path) {
        return !openPath.isEmpty() && QFileInfo(path) == QFileInfo(openPath);
    };
    if (!openPath.isEmpty() && std::none_of(paths.begin(), paths.end(), isOpen)) {
        paths.prepend(openPath);
    }
    // New trips are claimed at the default rate, in the home currency.
    mileageRateBefore_ = open_.GetPreferences().GetDefaultMileageRate();
    mileageRateAfter_ = mileageRateBefore_;
    if (mileageRateAfter_.GetValue() != 0.0 && factor_ > 0.0 &&
        !ConvertHomeMoney(mileageRateAfter_, factor_, MoneyBounds::kMaxDigits,
                          Kind::kMileageRate)) {
        problem_ = QStringLiteral(
                       "The home currency cannot become %1: the default mileage rate "
                       "would be out of bounds.  %2")
                       .arg(table_.GetHomeCurrency(), MoneyBounds::Message(Kind::kMileageRate));
        return false;
    }
    // The reports are read with the decimals they were written with, so that
    // reading them corrects nothing that is right.
    CCurrencyTable oldTable(table_);
    oldTable.SetHomeCurrency(oldHome_, false);
    for (const QString& path : paths) {
        Planned planned;
        if (isOpen(path)) {
            planned.report = &open_;
        } else {
            planned.owned = std::make_unique<CExpenseReport>();
            planned.owned->GetCurrencyTable() = oldTable;
            if (!planned.owned->Open(path, false)) {
                unreadable_.append(TitleOf(path));
                continue;
            }
            planned.owned->GetCurrencyTable() = table_;
            planned.report = planned.owned.get();
        }
        if (!PlanReport(planned)) {
            planned_.clear();
            return false;
        }
        if (!planned.after.empty() || planned.advanceAfter.GetValue() != 0.0) {
            expenses_ += static_cast<int>(planned.after.size());
            planned_.push_back(std::move(planned));
        }
    }
    return true;
}

bool CHomeCurrencyChange::PlanReport(Planned& planned) {
    const CExpenseRecords& records = planned.report->GetRecords();
    planned.headerBefore = planned.report->GetHeader();
    planned.advanceAfter = planned.headerBefore.GetCashAdvance();
    const int count = records.GetCount(false);
    if (count == 0 && planned.advanceAfter.GetValue() == 0.0) {
        return true;
    }
    const QString title = TitleOf(planned.headerBefore.GetPath());
    if (factor_ <= 0.0) {
        problem_ = QStringLiteral(
                       "%1 has no conversion rate to %2, so the report %3 cannot be converted.")
                       .arg(oldHome_, table_.GetHomeCurrency(), title);
        return false;
    }
    const int digits = table_.GetHomeDigits();
    const auto refuse = [&](const QString& bound) {
        problem_ = QStringLiteral(
                       "The home currency cannot become %1: a value of the report %2 would be "
                       "out of bounds.  %3")
                       .arg(table_.GetHomeCurrency(), title, bound);
        return false;
    };
    if (!ConvertHomeMoney(planned.advanceAfter, factor_, digits, Kind::kCashAdvance)) {
        return refuse(MoneyBounds::Message(Kind::kCashAdvance));
    }
    for (int i = 0; i < count; ++i) {
        const CExpenseRecord* record = records.GetAt(i, false);
        planned.before.push_back(*record);
        CExpenseRecord converted(*record);
        // Worked on apart from the report until every value is known to fit.
        converted.SetOwner(nullptr);
        const QString bound = ConvertRecord(converted, factor_, digits, table_.GetHomeCurrency());
        if (!bound.isEmpty()) {
            return refuse(bound);
        }
        planned.after.push_back(converted);
    }
    return true;
}

QString CHomeCurrencyChange::GetQuestion() const {
    QString question =
        QStringLiteral(
            "Changing the home currency converts %1 in %2 at 1 %3 = %4 %5.  Do you want to "
            "continue?")
            .arg(Counted(expenses_, "expense", "expenses"),
                 Counted(GetReportCount(), "report", "reports"), oldHome_, PlainNumber(GetRate()),
                 table_.GetHomeCurrency());
    if (!unreadable_.isEmpty()) {
        question += QStringLiteral("\n\nThese reports cannot be read and stay as they are: %1.")
                        .arg(unreadable_.join(QStringLiteral(", ")));
    }
    return question;
}

void CHomeCurrencyChange::Assign(Planned& planned, const std::vector<CExpenseRecord>& records) {
    CExpenseRecords& held = planned.report->GetRecords();
    for (int i = 0; i < static_cast<int>(records.size()); ++i) {
        CExpenseRecord* record = held.GetAt(i, false);
        *record = records[static_cast<size_t>(i)];
        record->SetOwner(&held);
        record->SetModified(true);
    }
}

bool CHomeCurrencyChange::Apply() {
    Prompts& prompts = Platform::Get().GetPrompts();
    // What was planned is put in place by position: a report that changed
    // since is not touched.
    for (const Planned& planned : planned_) {
        if (planned.report->GetRecords().GetCount(false) !=
            static_cast<int>(planned.after.size())) {
            prompts.Warning(QStringLiteral("The home currency was not changed: the report %1 "
                                           "changed meanwhile.  Please try again.")
                                .arg(TitleOf(planned.headerBefore.GetPath())));
            return false;
        }
    }
    WaitCursor wait(prompts);
    openWasModified_ = open_.IsModified();
    for (Planned& planned : planned_) {
        Assign(planned, planned.after);
        planned.report->GetHeader().SetCashAdvance(planned.advanceAfter);
        planned.report->GetRecords().RecomputeTotals();
    }
    size_t written = 0;
    while (written < planned_.size() && planned_[written].report->Save(false)) {
        ++written;
    }
    CPreferences& preferences = open_.GetPreferences();
    bool preferencesTried = false;
    QString failed;
    if (written < planned_.size()) {
        failed = TitleOf(planned_[written].headerBefore.GetPath());
    } else {
        preferences.SetDefaultMileageRate(mileageRateAfter_);
        preferencesTried = true;
        if (!preferences.SaveAll()) {
            failed = QStringLiteral("the preferences");
        } else if (!table_.Save(true)) {
            failed = QStringLiteral("the currency table");
        } else {
            return true;
        }
    }
    const QStringList notBack = Restore(written, preferencesTried);
    QString message =
        QStringLiteral(
            "The home currency was not changed: %1 could not be written.  The reports "
            "already converted were put back as they were.")
            .arg(failed);
    if (!notBack.isEmpty()) {
        message += QStringLiteral("  These could not be put back: %1.")
                       .arg(notBack.join(QStringLiteral(", ")));
    }
    prompts.Warning(message);
    return false;
}

QStringList CHomeCurrencyChange::Restore(size_t written, bool preferencesTried) {
    QStringList notBack;
    CPreferences& preferences = open_.GetPreferences();
    preferences.SetDefaultMileageRate(mileageRateBefore_);
    // A save that failed may have written the registry's half.
    if (preferencesTried && !preferences.SaveAll()) {
        notBack.append(QStringLiteral("the preferences"));
    }
    for (size_t i = 0; i < planned_.size(); ++i) {
        Planned& planned = planned_[i];
        Assign(planned, planned.before);
        planned.report->GetHeader() = planned.headerBefore;
        if (i < written && !planned.report->SaveAs(planned.headerBefore.GetPath(), true)) {
            notBack.append(TitleOf(planned.headerBefore.GetPath()));
        }
    }
    if (!openWasModified_) {
        open_.SetModified(false);
    }
    return notBack;
}
