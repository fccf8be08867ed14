#include "report/expenserecord.h"

#include <QBuffer>
#include <atomic>
#include <cmath>

#include "archive/expensearchive.h"
#include "archive/streamchecksum.h"
#include "lists/currencytable.h"
#include "money/moneybounds.h"
#include "platform/dateformatting.h"
#include "platform/platform.h"
#include "report/expenserecords.h"
#include "report/recordquery.h"
#include "report/report.h"
#include "report/sharedcategories.h"

namespace {

// Odometer readings are kept to a tenth, as the mileage pad enters them.
QString ReadingText(double reading) {
    return QString::asprintf("%7.1f", reading).trimmed();
}

double ReadingFromText(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    // "inf" and "nan" read as numbers, but no odometer shows them.
    return ok && std::isfinite(value) ? value : 0.0;
}

// The fixed part of a record after its category: the time, four doubles, five
// strings of at least their length byte and `reserved`.
constexpr quint64 kRecordFixedBytes = 4 + 4 * 8 + 5 * 1 + 4;
// A category tuple at its smallest: six integers and nine empty strings.
constexpr quint64 kCategoryMinimumBytes = 6 * 4 + 9 * 1;
constexpr quint32 kVersionWithMileageRate = 2;

using Kind = MoneyBounds::Kind;

}  // namespace

namespace {

quint64 NextId() {
    static std::atomic<quint64> last{0};
    return ++last;
}

}  // namespace

CExpenseRecord::CExpenseRecord(CExpenseRecords* owner)
    : category_(std::make_shared<CCategory>()),
      date_(Platform::Get().GetClock().Now()),
      owner_(owner),
      id_(NextId()) {}

CExpenseRecord::CExpenseRecord(CExpenseRecords* owner, ToBeReadTag)
    : owner_(owner), id_(NextId()) {}

std::unique_ptr<CExpenseRecord> CExpenseRecord::ToBeRead(CExpenseRecords* owner) {
    return std::unique_ptr<CExpenseRecord>(new CExpenseRecord(owner, ToBeReadTag{}));
}

CExpenseRecord::CExpenseRecord(const CExpenseRecord& other) : CExpenseObject(), id_(NextId()) {
    *this = other;
}

CExpenseRecord& CExpenseRecord::operator=(const CExpenseRecord& other) {
    if (this == &other) {
        return *this;
    }
    if (owner_ != nullptr) {
        owner_->RecordChanged(*this);
    }
    owner_ = other.owner_;
    category_ = other.category_;
    date_ = other.date_;
    description_ = other.description_;
    amount_ = other.amount_;
    exchangeRate_ = other.exchangeRate_;
    currencyName_ = other.currencyName_;
    purpose_ = other.purpose_;
    location_ = other.location_;
    contacts_ = other.contacts_;
    odometerStart_ = other.odometerStart_;
    odometerEnd_ = other.odometerEnd_;
    mileageRate_ = other.mileageRate_;
    reserved_ = other.reserved_;
    // Only the record's own flag: taking a copy changes no collection.
    CExpenseObject::SetModified(other.CExpenseObject::IsModified());
    return *this;
}

void CExpenseRecord::Serialize(CExpenseArchive& archive, int context) {
    SharedCategories categories;
    Serialize(archive, context, categories);
}

void CExpenseRecord::Serialize(CExpenseArchive& archive, int context,
                               SharedCategories& categories) {
    if (archive.IsStoring()) {
        // Storing reads the tuple and changes nothing in it.
        category_->Serialize(archive, context);
    } else {
        category_ = categories.Read(archive, context);
    }
    archive.ExchangeTime(date_);
    archive.Exchange(description_);
    amount_.Serialize(archive);
    exchangeRate_.Serialize(archive);
    archive.Exchange(currencyName_);
    archive.Exchange(purpose_);
    archive.Exchange(location_);
    archive.Exchange(contacts_);
    archive.Exchange(odometerStart_);
    archive.Exchange(odometerEnd_);
    if (archive.IsStoring() || archive.GetFileVersion() >= kVersionWithMileageRate) {
        mileageRate_.Serialize(archive);
    } else {
        // Older files kept no rate; the one the trip was claimed at is the
        // amount over the distance. A quotient no rate field could hold (a
        // trip of a few metres) is no rate at all.
        Amount rate = amount_;
        rate.Divide(Amount(GetDistance()));
        rate.Round(3);
        const bool usable = MoneyBounds::ContainsStored(Kind::kMileageRate, rate.GetValue());
        mileageRate_ = usable ? rate : Amount();
    }
    archive.Exchange(reserved_);
    archive.CheckValue(HasStoredValues());
}

void CExpenseRecord::PrefetchAhead(const CExpenseArchive& archive, SharedCategories& categories,
                                   int context) {
    const QByteArrayView ahead = archive.Buffered();
    const qsizetype nextTuple = categories.KnownSizeAhead(ahead, context);
    if (nextTuple == 0) {
        return;
    }
    // The description follows the tuple and the 4 bytes of the date.
    archive.PrefetchString(nextTuple + 4, true);
    const qsizetype nextRest =
        StoredSizeAfterTuple(ahead.sliced(nextTuple), archive.GetFileVersion());
    if (nextRest == 0) {
        return;
    }
    const qsizetype after = nextTuple + nextRest;
    const qsizetype afterTuple = categories.KnownSizeAhead(ahead.sliced(after), context);
    if (afterTuple > 0) {
        archive.PrefetchString(after + afterTuple + 4, false);
    }
}

void CExpenseRecord::MarkStored(quint64 digest) {
    storedDigest_ = digest;
    CExpenseObject::SetModified(false);
    if (category_->IsModified()) {
        OwnCategory().SetModified(false);
    }
}

bool CExpenseRecord::IsUnchangedSinceStored() const {
    if (storedDigest_ == 0) {
        return false;
    }
    // A record read from a file of another writer may come out in other
    // bytes when written again; its flags say it was not touched.
    return !IsModified() || ComputeDigest() == storedDigest_;
}

quint64 CExpenseRecord::ComputeDigest() const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CExpenseArchive archive(buffer, CExpenseArchive::Mode::kStore);
    return ComputeDigest(archive);
}

quint64 CExpenseRecord::ComputeDigest(CExpenseArchive& scratch) const {
    scratch.BeginCapture();
    // Storing reads the fields and changes nothing.
    const_cast<CExpenseRecord*>(this)->Serialize(scratch, 1);
    const QByteArrayView bytes = scratch.EndCapture();
    StreamChecksum checksum;
    checksum.Add(bytes.data(), bytes.size());
    return checksum.Value();
}
namespace {

enum class Problem {
    kNone,
    kOdometerStart,
    kOdometerEnd,
    kMileageRate,
    kAmount,
    kRate,
    kHomeAmount,
};

// One order for the loader and the messages: a trip's readings and rate come
// before the amount that follows from them, an amount before its conversion.
Problem FirstProblem(const CExpenseRecord& record) {
    const double amount = record.GetAmount(false).GetValue();
    const double rate = record.GetExchangeRate().GetValue();
    if (!MoneyBounds::Contains(Kind::kOdometer, record.GetOdometerStart())) {
        return Problem::kOdometerStart;
    }
    if (!MoneyBounds::Contains(Kind::kOdometer, record.GetOdometerEnd())) {
        return Problem::kOdometerEnd;
    }
    if (!MoneyBounds::ContainsStored(Kind::kMileageRate, record.GetMileageRate().GetValue())) {
        return Problem::kMileageRate;
    }
    if (!MoneyBounds::Contains(Kind::kAmount, amount)) {
        return Problem::kAmount;
    }
    if (!MoneyBounds::ContainsStored(Kind::kRate, rate)) {
        return Problem::kRate;
    }
    if (rate != 0.0 && !record.IsMileage() && !MoneyBounds::FitsConverted(amount, rate)) {
        return Problem::kHomeAmount;
    }
    return Problem::kNone;
}

}  // namespace

bool CExpenseRecord::HasStoredValues() const {
    return FirstProblem(*this) == Problem::kNone;
}

QString CExpenseRecord::GetValueProblem() const {
    switch (FirstProblem(*this)) {
        case Problem::kNone:
            break;
        case Problem::kOdometerStart:
            return MoneyBounds::Message(Kind::kOdometer);
        case Problem::kOdometerEnd:
            return MoneyBounds::OdometerEndMessage();
        case Problem::kMileageRate:
            return MoneyBounds::Message(Kind::kMileageRate);
        case Problem::kAmount:
            // A trip's amount is its distance times its rate.
            return IsMileage() ? MoneyBounds::MileageAmountMessage()
                               : MoneyBounds::Message(Kind::kAmount);
        case Problem::kRate:
            return MoneyBounds::Message(Kind::kRate);
        case Problem::kHomeAmount:
            return MoneyBounds::HomeAmountMessage();
    }
    return {};
}

void CExpenseRecord::Reset() {
    SetModified(false);
    OwnCategory().Reset();
    date_ = Platform::Get().GetClock().Now();
    description_.clear();
    amount_ = Amount();
    exchangeRate_ = Amount();
    currencyName_.clear();
    purpose_.clear();
    location_.clear();
    contacts_.clear();
    odometerStart_ = 0;
    odometerEnd_ = 0;
    mileageRate_ = Amount();
    reserved_ = 0;
}

void CExpenseRecord::SetModified(bool modified) {
    CExpenseObject::SetModified(modified);
    if (owner_ != nullptr) {
        owner_->SetModified(true);
        owner_->RecordChanged(*this);
    }
}

bool CExpenseRecord::IsModified() const {
    return CExpenseObject::IsModified() || category_->IsModified();
}

CCategory& CExpenseRecord::OwnCategory() {
    if (!category_) {
        category_ = std::make_shared<CCategory>();
    } else if (category_.use_count() > 1) {
        category_ = std::make_shared<CCategory>(*category_);
    }
    return *category_;
}

void CExpenseRecord::SetCategory(const CCategory& category) {
    OwnCategory() = category;
    SetModified(true);
}

bool CExpenseRecord::GetReceipt() const {
    return category_->GetReceipt() != 0;
}

void CExpenseRecord::SetReceipt(bool receipt) {
    OwnCategory().SetReceipt(receipt ? 1 : 0);
    SetModified(true);
}

void CExpenseRecord::SetClassification(const CClassification& classification) {
    OwnCategory().SetClassification(classification);
    SetModified(true);
}

void CExpenseRecord::SetExpenseType(const CExpenseType& expenseType) {
    OwnCategory().SetExpenseType(expenseType);
    SetModified(true);
}

void CExpenseRecord::SetPaidWith(const CPaidWith& paidWith) {
    OwnCategory().SetPaidWith(paidWith);
    SetModified(true);
}

void CExpenseRecord::SetDate(TimeStamp date) {
    date_ = date;
    SetModified(true);
}

QString CExpenseRecord::GetDateText() const {
    // Kind 5 keeps the regional picture's order of month and day.
    return FormatDate(date_, 5);
}

void CExpenseRecord::SetDescription(const QString& description) {
    description_ = description;
    SetModified(true);
}

Amount CExpenseRecord::GetAmount(bool convert) const {
    if (!convert || IsMileage() || exchangeRate_.GetValue() == 0.0) {
        return amount_;
    }
    const CExpenseReport* report = owner_ != nullptr ? owner_->GetReport() : nullptr;
    const int digits = report != nullptr ? report->GetCurrencyTable().GetHomeDigits()
                                         : CCurrencyTable::kDigitsWithoutTable;
    return GetConvertedAmount(digits);
}

Amount CExpenseRecord::GetConvertedAmount(int homeDigits) const {
    if (IsMileage() || exchangeRate_.GetValue() == 0.0) {
        return amount_;
    }
    return CCurrencyTable::ConvertToHome(amount_, exchangeRate_, homeDigits);
}

void CExpenseRecord::SetAmount(const Amount& amount) {
    amount_ = amount;
    SetModified(true);
}

void CExpenseRecord::SetExchangeRate(const Amount& rate) {
    exchangeRate_ = rate;
    SetModified(true);
}

void CExpenseRecord::SetCurrencyName(const QString& name) {
    currencyName_ = name;
    SetModified(true);
}

void CExpenseRecord::SetPurpose(const QString& purpose) {
    purpose_ = purpose;
    SetModified(true);
}

void CExpenseRecord::SetLocation(const QString& location) {
    location_ = location;
    SetModified(true);
}

void CExpenseRecord::SetContacts(const QString& contacts) {
    contacts_ = contacts;
    SetModified(true);
}

QString CExpenseRecord::GetOdometerStartText() const {
    return ReadingText(odometerStart_);
}

void CExpenseRecord::SetOdometerStart(double reading) {
    odometerStart_ = reading;
    SetModified(true);
}

void CExpenseRecord::SetOdometerStart(const QString& reading) {
    SetOdometerStart(ReadingFromText(reading));
}

QString CExpenseRecord::GetOdometerEndText() const {
    return ReadingText(odometerEnd_);
}

void CExpenseRecord::SetOdometerEnd(double reading) {
    odometerEnd_ = reading;
    SetModified(true);
}

void CExpenseRecord::SetOdometerEnd(const QString& reading) {
    SetOdometerEnd(ReadingFromText(reading));
}

double CExpenseRecord::GetDistance() const {
    const double distance = odometerEnd_ - odometerStart_;
    // Written so that readings that are not numbers give no distance either.
    return distance > 0 ? distance : 0.0;
}

QString CExpenseRecord::GetDistanceText() const {
    return ReadingText(GetDistance());
}

bool CExpenseRecord::IsBusinessReimbursable() const {
    return GetExpenseType().IsBusinessReimbursable();
}

bool CExpenseRecord::IsPersonalDeductible() const {
    return GetExpenseType().IsPersonalDeductible();
}

bool CExpenseRecord::IsPersonalNonDeductible() const {
    return GetExpenseType().IsPersonalNonDeductible();
}

QString CExpenseRecord::GetFieldText(qint32 field) const {
    switch (field) {
        case kFieldCategory:
            return category_->GetName();
        case kFieldClassification:
            return GetClassification().GetName();
        case kFieldPaidWith:
            return GetPaidWith().GetName();
        case kFieldExpenseType:
            return GetExpenseType().GetName();
        default:
            return GetFieldView(field).toString();
    }
}

QStringView CExpenseRecord::GetFieldView(qint32 field) const {
    const QString* text = GetFieldString(field);
    return text != nullptr ? QStringView(*text) : QStringView();
}

const QString* CExpenseRecord::GetFieldString(qint32 field) const {
    switch (field) {
        case kFieldCategory:
            return &category_->GetNameRef();
        case kFieldClassification:
            return &GetClassification().GetNameRef();
        case kFieldPaidWith:
            return &GetPaidWith().GetNameRef();
        case kFieldExpenseType:
            return &GetExpenseType().GetNameRef();
        default:
            return GetOwnFieldString(field);
    }
}

qsizetype CExpenseRecord::StoredSizeAfterTuple(QByteArrayView bytes, quint32 version) {
    // The order of Serialize: the date, then a string, two doubles, four
    // strings, two or three doubles and `reserved`.
    constexpr int kFixedBefore[] = {4, 16, 0, 0, 0};
    qsizetype at = 0;
    for (int fixed : kFixedBefore) {
        at += fixed;
        if (bytes.size() - at < 4) {
            return 0;
        }
        const auto byte = [&](qsizetype i) { return static_cast<uchar>(bytes[at + i]); };
        if (byte(0) < 0xFF) {
            at += 1 + byte(0);  // single-byte text
        } else if (byte(1) == 0xFE && byte(2) == 0xFF && byte(3) < 0xFF) {
            at += 4 + 2 * byte(3);
        } else {
            return 0;
        }
    }
    at += version >= kVersionWithMileageRate ? 3 * 8 + 4 : 2 * 8 + 4;
    return at <= bytes.size() ? at : 0;
}

quint64 CExpenseRecord::MinimumStoredSize(quint32 version) {
    const quint64 rate = version >= kVersionWithMileageRate ? 8 : 0;
    return kCategoryMinimumBytes + kRecordFixedBytes + rate;
}
