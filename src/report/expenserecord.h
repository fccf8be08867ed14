#pragma once

#include <QString>
#include <memory>

#include "archive/expenseobject.h"
#include "lists/category.h"
#include "money/amount.h"
#include "platform/clock.h"
#include "report/recordquery.h"

class CExpenseRecords;
class SharedCategories;

// One expense. It holds its own copy of the category tuple (category,
// receipt flag, classification, expense type, payment source) and names its
// currency, so that editing a reference list never reaches stored expenses
// by accident.
//
// Every setter marks the record modified, and a record held by a collection
// marks the collection modified with it (SetModified).
class CExpenseRecord : public CExpenseObject {
public:
    // Every field at its default; the date is the clock's now.
    explicit CExpenseRecord(CExpenseRecords* owner = nullptr);
    // Copies every field, the owner and the record's own modified flag. A
    // copy is another expense: it has an identity of its own and is not the
    // stored expense it was copied from (GetId, IsUnchangedSinceStored).
    CExpenseRecord(const CExpenseRecord& other);
    // A record all of whose fields are about to be read (Serialize): the
    // default values it would never show are not made.
    static std::unique_ptr<CExpenseRecord> ToBeRead(CExpenseRecords* owner);
    // The same, but the record keeps its identity and its stored state.
    CExpenseRecord& operator=(const CExpenseRecord& other);

    // The expense's identity for this run, never stored: what a dialog
    // edits, wherever a reload or a sort moves the expense.
    quint64 GetId() const { return id_; }

    // The record as its file holds it: `digest` is the checksum of its bytes
    // there. Clears the record's modified flags without marking the owner.
    void MarkStored(quint64 digest);
    quint64 GetStoredDigest() const { return storedDigest_; }
    // Whether the record still holds what its file holds: it was read or
    // written and has not been changed since.
    bool IsUnchangedSinceStored() const;
    // The checksum of the record's bytes as they would be written now; the
    // second writes them into `scratch`, a storing archive whose device may
    // throw them away.
    quint64 ComputeDigest() const;
    quint64 ComputeDigest(CExpenseArchive& scratch) const;

    // The category tuple, date, description, amount, rate, currency,
    // purpose, location, contacts, both odometer readings, the mileage rate
    // (absent in files before version 2, where it is computed) and
    // `reserved`. The owner is not stored. A record read whose values are not
    // HasStoredValues is a damaged file.
    void Serialize(CExpenseArchive& archive, int context) override;
    // The same; reading, the category tuple becomes the one `categories`
    // holds for the same bytes, shared with the other records read.
    void Serialize(CExpenseArchive& archive, int context, SharedCategories& categories);
    // Reading ahead, only a hint (SharedTexts::Prefetch): the description of
    // the record after the next one in `archive` waits for its shared text's
    // table slot, and that of the next one, whose slot waited meanwhile, for
    // the text itself. Either only when its category tuple is one
    // `categories` read before.
    static void PrefetchAhead(const CExpenseArchive& archive, SharedCategories& categories,
                              int context);
    // Clears `modified` (which marks the owner), then every field goes back to
    // its default and the date to the clock's now.
    void Reset() override;
    // Sets the record's own flag; a record with an owner marks the owner
    // modified whatever the flag.
    void SetModified(bool modified) override;
    // The record's own flag or the category tuple's.
    bool IsModified() const override;

    // The collection that holds the record; not owned. Setting it does not
    // mark anything modified.
    CExpenseRecords* GetOwner() const { return owner_; }
    void SetOwner(CExpenseRecords* owner) { owner_ = owner; }

    const CCategory& GetCategory() const { return *category_; }
    void SetCategory(const CCategory& category);
    bool GetReceipt() const;
    void SetReceipt(bool receipt);
    const CClassification& GetClassification() const { return category_->GetClassification(); }
    void SetClassification(const CClassification& classification);
    const CExpenseType& GetExpenseType() const { return category_->GetExpenseType(); }
    void SetExpenseType(const CExpenseType& expenseType);
    const CPaidWith& GetPaidWith() const { return category_->GetPaidWith(); }
    void SetPaidWith(const CPaidWith& paidWith);

    TimeStamp GetDate() const { return date_; }
    void SetDate(TimeStamp date);
    // The date for the lists: the regional short date without the year.
    QString GetDateText() const;

    const QString& GetDescription() const { return description_; }
    void SetDescription(const QString& description);

    // The amount to use in a report. With `convert`, an amount in another
    // currency (a rate other than 0) is divided by its rate and rounded at
    // the home currency's decimals of the owning report (2 without one).
    // Mileage amounts are in the home currency already and never converted.
    Amount GetAmount(bool convert) const;
    // GetAmount(true) with the home currency's decimals already known: for
    // passes over many records of one report.
    Amount GetConvertedAmount(int homeDigits) const;
    void SetAmount(const Amount& amount);
    const Amount& GetExchangeRate() const { return exchangeRate_; }
    void SetExchangeRate(const Amount& rate);
    const QString& GetCurrencyName() const { return currencyName_; }
    void SetCurrencyName(const QString& name);

    const QString& GetPurpose() const { return purpose_; }
    void SetPurpose(const QString& purpose);
    const QString& GetLocation() const { return location_; }
    void SetLocation(const QString& location);
    const QString& GetContacts() const { return contacts_; }
    void SetContacts(const QString& contacts);

    // Odometer readings; their texts are "%7.1f" without the blanks. A text
    // that is not a number sets 0.
    double GetOdometerStart() const { return odometerStart_; }
    QString GetOdometerStartText() const;
    void SetOdometerStart(double reading);
    void SetOdometerStart(const QString& reading);
    double GetOdometerEnd() const { return odometerEnd_; }
    QString GetOdometerEndText() const;
    void SetOdometerEnd(double reading);
    void SetOdometerEnd(const QString& reading);
    // End minus start, or 0 when the end is not past the start.
    double GetDistance() const;
    QString GetDistanceText() const;

    const Amount& GetMileageRate() const { return mileageRate_; }
    // Does not mark the record modified; the caller does.
    void SetMileageRate(const Amount& rate) { mileageRate_ = rate; }

    qint32 GetReserved() const { return reserved_; }

    // Whether every money value and reading lies within MoneyBounds: the
    // amount, also once converted at its rate; a rate of 0 or within the
    // bounds; both readings; a mileage rate of 0 or within the bounds. A
    // report file holding a record without them cannot be read.
    bool HasStoredValues() const;
    // The same rules as the user hears them: the message for the first value
    // that keeps the record from HasStoredValues (it names the bounds), or
    // empty when the record can be written and read again. Every path that
    // writes a record asks this first.
    QString GetValueProblem() const;

    bool IsMileage() const { return category_->IsMileage(); }
    bool IsBusinessReimbursable() const;
    bool IsPersonalDeductible() const;
    bool IsPersonalNonDeductible() const;

    // The text a condition or the sort order reads for a field code
    // (RecordField): names of the tuple's parts, the free texts and the
    // currency; empty for the date, amount and receipt fields and for codes
    // outside the table.
    QString GetFieldText(qint32 field) const;
    // The same without a copy: valid while this record and its tuple live
    // unchanged.
    QStringView GetFieldView(qint32 field) const;
    // Where the text of `field` is held, in the record or in its tuple; null
    // for the fields without a text. Only a tuple's name is reached by
    // reading the record.
    const QString* GetFieldString(qint32 field) const;
    // Where what every sort reads of the record lies: the place of its
    // tuple, its date and its amount, within kSortKeyBytes from here. Sorts
    // ask the memory for it ahead, records lying scattered across the heap.
    const void* GetSortKeyPlace() const { return &category_; }
    static constexpr size_t kSortKeyBytes = 32;

    // The fewest bytes a stored record can take in a file of `version`, for
    // checking a record count against what a file holds.
    static quint64 MinimumStoredSize(quint32 version);
    // The bytes a stored record takes after its category tuple, when `bytes`
    // begin with that part of a record of a file of `version` and hold it
    // whole; else 0. Only strings in the short forms are followed.
    static qsizetype StoredSizeAfterTuple(QByteArrayView bytes, quint32 version);

private:
    // The record's own text for `field` (description, contacts, location,
    // purpose, currency), without reading it; null for every other field.
    const QString* GetOwnFieldString(qint32 field) const {
        switch (field) {
            case kFieldDescription:
                return &description_;
            case kFieldContacts:
                return &contacts_;
            case kFieldLocation:
                return &location_;
            case kFieldPurpose:
                return &purpose_;
            case kFieldCurrency:
                return &currencyName_;
            default:
                return nullptr;
        }
    }
    struct ToBeReadTag {};
    CExpenseRecord(CExpenseRecords* owner, ToBeReadTag);
    // The category tuple to change: a copy of its own first, when shared.
    CCategory& OwnCategory();

    // What sorts read of every record, side by side and first, so that it
    // mostly lies in one cache line (GetSortKeyPlace).
    // Shared with other records (those read from one file with the same
    // tuple, copies) until one of them changes it.
    std::shared_ptr<CCategory> category_;
    TimeStamp date_ = 0;
    Amount amount_;
    CExpenseRecords* owner_ = nullptr;  // not owned
    quint64 id_;
    quint64 storedDigest_ = 0;  // 0: not as stored
    QString description_;
    Amount exchangeRate_;
    QString currencyName_;
    QString purpose_;
    QString location_;
    QString contacts_;
    double odometerStart_ = 0;
    double odometerEnd_ = 0;
    Amount mileageRate_;
    qint32 reserved_ = 0;
};
