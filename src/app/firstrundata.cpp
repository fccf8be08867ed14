#include "firstrundata.h"

#include "app/ownerinfo.h"
#include "lists/personalinfo.h"
#include "platform/profile.h"
#include "report/expensedoc.h"

namespace {

void FillPersonalInfo(FirstRunResult& result) {
    const COwnerInfo owner = COwnerInfo::Read();
    result.ownerRecordFound = owner.fromRecord;
    CPersonalInfo info;
    // A file that could be neither read nor kept aside stays as it is: the
    // owner's details are not worth more than what it may still hold.
    if (!info.Load(false)) {
        return;
    }
    const std::pair<CPersonalInfo::Field, const QString*> fields[] = {
        {CPersonalInfo::kName, &owner.name},
        {CPersonalInfo::kCompany, &owner.company},
        {CPersonalInfo::kAddress, &owner.street},
        {CPersonalInfo::kCity, &owner.city},
        {CPersonalInfo::kStateOrRegion, &owner.state},
        {CPersonalInfo::kZipOrPostalCode, &owner.postalCode},
        // The owner's own number is the line that reaches them directly.
        {CPersonalInfo::kDirectPhone, &owner.telephone},
        {CPersonalInfo::kEmail, &owner.email},
    };
    for (const auto& [field, value] : fields) {
        if (info.GetField(field).isEmpty() && !value->isEmpty()) {
            info.SetField(field, *value);
            result.filledFields.append(CPersonalInfo::FieldName(field));
        }
    }
    result.personalInfoSaved = info.Save(false);
}

}  // namespace

ShippedDataResult InstallShippedData() {
    ShippedDataResult result;
    const QString folder = GetShippedDataFolder();
    result.images = InstallShippedImages(folder);
    result.currencyTable = InstallShippedCurrencyTable(folder);
    return result;
}

FirstRunResult RunFirstRunDataStep() {
    FirstRunResult result;
    // The shipped currency table goes in before anything loads a table: a
    // load that finds no file writes the short fallback table, which the
    // installation would then keep as the user's own. Loading the installed
    // table also chooses the home currency, and with it the traveller
    // setting the distance unit follows.
    result.shippedData = InstallShippedData();
    {
        CExpenseDoc document;
        result.internationalTraveler = document.GetCurrencyTable().GetInternationalTraveler();
        CPreferences& preferences = document.GetPreferences();
        preferences.InitDistanceUnit(result.internationalTraveler);
        result.distanceInMiles = preferences.GetDistanceInMiles();
    }
    FillPersonalInfo(result);
    return result;
}

bool FirstRunDataStepPending() {
    return Profile::GetString(QString(), QStringLiteral("Init Mileage")).isEmpty();
}
