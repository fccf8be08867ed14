#include "report/preferences.h"

#include "archive/expensearchive.h"
#include "archive/filetypes.h"
#include "archive/objectfile.h"
#include "lists/listfile.h"
#include "money/moneybounds.h"
#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "platform/platform.h"
#include "platform/profile.h"

namespace {

constexpr double kDefaultMileageRate = 0.345;
const QString kInitMileage = QStringLiteral("Init Mileage");

// The profile's sections and values.
struct Entry {
    const char* section;
    const char* name;
};
constexpr Entry kMruFile = {"Reports", "MRUFile"};
constexpr Entry kPlaySounds = {"General", "PlaySounds"};
constexpr Entry kGridLines = {"Display", "GridLines"};
constexpr Entry kBeginning = {"Mileage", "Beginning"};
constexpr Entry kSubtotals = {"Totals", "Subtotals"};
constexpr Entry kSubtotalBy = {"Totals", "SubtotalBy"};
constexpr Entry kSubtotalAllDates = {"Totals", "SubtotalAllDates"};
constexpr Entry kSubtotalTo = {"Totals", "SubtotalTo"};
constexpr Entry kSubtotalFrom = {"Totals", "SubtotalFrom"};
constexpr Entry kShowGraph = {"Totals", "ShowGraph"};
constexpr Entry kCurrentView = {"Display", "CurrentView"};
constexpr Entry kReportDelay = {"Reports", "ExpenseReportDelayV2"};
constexpr Entry kRateAgeEntry = {"General", "RateAgeLimit"};
constexpr Entry kSelectedCurrency = {"ExpenseSlip", "SelectedCurrency"};

qint32 ReadInt(const Entry& entry, qint32 fallback) {
    return Profile::GetInt(QString::fromLatin1(entry.section), QString::fromLatin1(entry.name),
                           fallback);
}

bool WriteInt(const Entry& entry, qint32 value) {
    return Profile::WriteInt(QString::fromLatin1(entry.section), QString::fromLatin1(entry.name),
                             value);
}

QString ReadText(const Entry& entry, const QString& fallback) {
    return Profile::GetString(QString::fromLatin1(entry.section), QString::fromLatin1(entry.name),
                              fallback);
}

bool WriteText(const Entry& entry, const QString& value) {
    return Profile::WriteString(QString::fromLatin1(entry.section),
                                QString::fromLatin1(entry.name), value);
}

// Time stamps are kept as 32-bit numbers of seconds.
TimeStamp ReadTime(const Entry& entry, TimeStamp fallback) {
    return static_cast<quint32>(ReadInt(entry, static_cast<qint32>(fallback)));
}

}  // namespace

CPreferences::CPreferences() {
    filePath_ = JoinPath(GetDataDirectory(), QStringLiteral("Preferences.dat"));
    SetDefaults();
}

void CPreferences::SetDefaults() {
    defaultMileageRate_ = Amount(kDefaultMileageRate);
    distanceInMiles_ = true;
    playSounds_ = true;
    gridLines_ = true;
    mileageBeginning_ = 0;
    subtotals_ = 0;
    subtotalBy_ = 0;
    subtotalAllDates_ = true;
    subtotalTo_ = subtotalFrom_ = Platform::Get().GetClock().Now();
    showGraph_ = true;
    currentView_ = 0;
    expenseReportDelay_ = 0;
    rateAgeLimit_ = kRateAgeLimit;
}

void CPreferences::Reset() {
    CExpenseObject::Reset();
    SetDefaults();
}

void CPreferences::Serialize(CExpenseArchive& archive, int) {
    SerializeFileHeader(archive, kFileTypePreferences, CurrentFileVersion(kFileTypePreferences));
    double rate = defaultMileageRate_.GetValue();
    archive.Exchange(rate);
    archive.CheckValue(MoneyBounds::ContainsStored(MoneyBounds::Kind::kMileageRate, rate));
    archive.ExchangeBool(distanceInMiles_);
    defaultMileageRate_.SetValue(rate);
}

void CPreferences::SetDefaultMileageRate(const Amount& rate) {
    defaultMileageRate_ = rate;
    SetModified(true);
}

void CPreferences::SetDistanceInMiles(bool miles) {
    distanceInMiles_ = miles;
    SetModified(true);
}

bool CPreferences::ReadRegistry() {
    // One reading of the hive for all the values.
    RegistryBatch batch(Platform::Get().GetRegistry());
    const TimeStamp now = Platform::Get().GetClock().Now();
    mruFile_ = ReadText(kMruFile, QString());
    playSounds_ = ReadInt(kPlaySounds, 1) != 0;
    gridLines_ = ReadInt(kGridLines, 1) != 0;
    // Text that is not a number, or not a reading an odometer can show,
    // reads as 0.
    const double beginning = ReadText(kBeginning, QStringLiteral("0")).trimmed().toDouble();
    mileageBeginning_ =
        MoneyBounds::Contains(MoneyBounds::Kind::kOdometer, beginning) ? beginning : 0.0;
    subtotals_ = ReadInt(kSubtotals, 0);
    subtotalBy_ = ReadInt(kSubtotalBy, 0);
    subtotalAllDates_ = ReadInt(kSubtotalAllDates, 1) != 0;
    subtotalTo_ = ReadTime(kSubtotalTo, now);
    subtotalFrom_ = ReadTime(kSubtotalFrom, now);
    showGraph_ = ReadInt(kShowGraph, 1) != 0;
    currentView_ = ReadInt(kCurrentView, 0);
    expenseReportDelay_ = ReadInt(kReportDelay, 0);
    const qint32 limit = ReadInt(kRateAgeEntry, kRateAgeLimit);
    rateAgeLimit_ = limit >= 1 && limit <= kMaxRateAgeLimit ? limit : kRateAgeLimit;
    return true;
}

bool CPreferences::WriteRegistry() const {
    Registry& registry = Platform::Get().GetRegistry();
    registry.BeginBatch();
    bool ok = WriteText(kMruFile, mruFile_);
    ok = WriteInt(kPlaySounds, playSounds_) && ok;
    ok = WriteInt(kGridLines, gridLines_) && ok;
    ok = WriteText(kBeginning, FormatMileageBeginning(mileageBeginning_)) && ok;
    ok = WriteInt(kSubtotals, subtotals_) && ok;
    ok = WriteInt(kSubtotalBy, subtotalBy_) && ok;
    ok = WriteInt(kSubtotalAllDates, subtotalAllDates_) && ok;
    ok = WriteInt(kSubtotalTo, static_cast<qint32>(subtotalTo_)) && ok;
    ok = WriteInt(kSubtotalFrom, static_cast<qint32>(subtotalFrom_)) && ok;
    ok = WriteInt(kShowGraph, showGraph_) && ok;
    ok = WriteInt(kCurrentView, currentView_) && ok;
    ok = WriteInt(kReportDelay, expenseReportDelay_) && ok;
    ok = WriteInt(kRateAgeEntry, rateAgeLimit_) && ok;
    return registry.EndBatch() && ok;
}

QString CPreferences::FormatMileageBeginning(double reading) {
    return QString::asprintf("%7.1f", reading).trimmed();
}

bool CPreferences::LoadFromFile(bool reportErrors) {
    // The file's rules are the lists' own: a file that cannot be read is
    // kept aside before the defaults take its place.
    return LoadListFile(
        *this, filePath_, reportErrors, [] { return true; }, [this] { Reset(); });
}

bool CPreferences::SaveToFile(bool prompt) {
    return SaveListFile(*this, filePath_, prompt);
}

bool CPreferences::LoadAll() {
    // The file first: a failed load resets every field, and the profile
    // values read afterwards must survive that.
    const bool file = LoadFromFile(false);
    return ReadRegistry() && file;
}

bool CPreferences::SaveAll() {
    const bool registry = WriteRegistry();
    return SaveToFile(false) && registry;
}

void CPreferences::InitDistanceUnit(bool internationalTraveler) {
    if (Profile::GetString(QString(), kInitMileage, QStringLiteral("1")) != QLatin1String("1")) {
        return;
    }
    SetDistanceInMiles(!internationalTraveler);
    Profile::WriteString(QString(), kInitMileage, QStringLiteral("0"));
    SaveAll();
}

QString CPreferences::GetSelectedCurrency() {
    return ReadText(kSelectedCurrency, QString());
}

void CPreferences::SetSelectedCurrency(const QString& name) {
    WriteText(kSelectedCurrency, name);
}
