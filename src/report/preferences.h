#pragma once

#include <QString>

#include "archive/expenseobject.h"
#include "money/amount.h"
#include "platform/clock.h"

// The user's settings. Most live in the application's profile; the default
// mileage rate and the distance unit live in "Preferences.dat" in the data
// folder. Only the setters of those two mark the object modified, since the
// file holds nothing else.
class CPreferences : public CExpenseObject {
public:
    CPreferences();

    void Serialize(CExpenseArchive& archive, int context) override;
    // Clears `modified`, then every field but the file path and the most
    // recent file goes back to its default.
    void Reset() override;

    // Profile values: all of them, read with their defaults / written back.
    bool ReadRegistry();
    bool WriteRegistry() const;
    // The file, by the rules of the lists' files (LoadListFile): a missing
    // or unreadable one is replaced at once by one holding the defaults, and
    // an unreadable one (a newer version, a foreign or damaged file, a rate
    // outside MoneyBounds) is first kept aside and the user told.
    bool LoadFromFile(bool reportErrors);
    // Writes the file when modified; true without writing otherwise.
    bool SaveToFile(bool prompt);
    bool LoadAll();
    bool SaveAll();

    // Chooses miles or kilometres once, on the first run: kilometres for an
    // international traveller. Guarded by the profile's "Init Mileage".
    void InitDistanceUnit(bool internationalTraveler);

    // The currency last chosen on the expense slip.
    static QString GetSelectedCurrency();
    static void SetSelectedCurrency(const QString& name);

    const QString& GetFilePath() const { return filePath_; }
    void SetFilePath(const QString& path) { filePath_ = path; }
    const QString& GetMruFile() const { return mruFile_; }
    void SetMruFile(const QString& path) { mruFile_ = path; }
    const Amount& GetDefaultMileageRate() const { return defaultMileageRate_; }
    void SetDefaultMileageRate(const Amount& rate);
    bool GetDistanceInMiles() const { return distanceInMiles_; }
    void SetDistanceInMiles(bool miles);
    bool GetPlaySounds() const { return playSounds_; }
    void SetPlaySounds(bool play) { playSounds_ = play; }
    bool GetGridLines() const { return gridLines_; }
    void SetGridLines(bool lines) { gridLines_ = lines; }
    double GetMileageBeginning() const { return mileageBeginning_; }
    void SetMileageBeginning(double reading) { mileageBeginning_ = reading; }
    qint32 GetSubtotals() const { return subtotals_; }
    void SetSubtotals(qint32 value) { subtotals_ = value; }
    qint32 GetSubtotalBy() const { return subtotalBy_; }
    void SetSubtotalBy(qint32 value) { subtotalBy_ = value; }
    bool GetSubtotalAllDates() const { return subtotalAllDates_; }
    void SetSubtotalAllDates(bool all) { subtotalAllDates_ = all; }
    TimeStamp GetSubtotalTo() const { return subtotalTo_; }
    void SetSubtotalTo(TimeStamp time) { subtotalTo_ = time; }
    TimeStamp GetSubtotalFrom() const { return subtotalFrom_; }
    void SetSubtotalFrom(TimeStamp time) { subtotalFrom_ = time; }
    bool GetShowGraph() const { return showGraph_; }
    void SetShowGraph(bool show) { showGraph_ = show; }
    qint32 GetCurrentView() const { return currentView_; }
    void SetCurrentView(qint32 view) { currentView_ = view; }
    qint32 GetExpenseReportDelay() const { return expenseReportDelay_; }
    // After how many days a rate counts as old; kRateAgeLimit when the
    // profile holds no limit, or one outside 1 to kMaxRateAgeLimit.
    qint32 GetRateAgeLimit() const { return rateAgeLimit_; }
    void SetRateAgeLimit(qint32 days) { rateAgeLimit_ = days; }
    static constexpr qint32 kRateAgeLimit = 30;
    static constexpr qint32 kMaxRateAgeLimit = 99;
    void SetExpenseReportDelay(qint32 delay) { expenseReportDelay_ = delay; }

    // The odometer reading as the profile keeps it: "%7.1f" without blanks.
    static QString FormatMileageBeginning(double reading);

private:
    void SetDefaults();

    QString filePath_;
    QString mruFile_;
    Amount defaultMileageRate_;
    bool distanceInMiles_ = true;
    bool playSounds_ = true;
    bool gridLines_ = true;
    double mileageBeginning_ = 0;
    qint32 subtotals_ = 0;
    qint32 subtotalBy_ = 0;
    bool subtotalAllDates_ = true;
    TimeStamp subtotalTo_ = 0;
    TimeStamp subtotalFrom_ = 0;
    bool showGraph_ = true;
    qint32 currentView_ = 0;
    qint32 expenseReportDelay_ = 0;
    qint32 rateAgeLimit_ = kRateAgeLimit;
};
