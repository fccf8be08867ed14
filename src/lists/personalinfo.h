#pragma once

#include <QString>
#include <array>

#include "archive/expenseobject.h"

// The user's own details, kept in the file PersonalInfo.dat of the data
// folder. Every field is text and empty until the user fills it in; setters
// mark the object modified.
class CPersonalInfo : public CExpenseObject {
public:
    // The fields in the order of the file and of the personal-info view.
    enum Field {
        kName,
        kCompany,
        kDepartment,
        kDivision,
        kEmployeeId,
        kMailStop,
        kAddress,
        kCity,
        kStateOrRegion,
        kZipOrPostalCode,
        kCompanyPhone,
        kDirectPhone,
        kEmail,
        kFieldCount
    };

    // Kept in PersonalInfo.dat of the data folder.
    CPersonalInfo();
    // Kept in the file at `filePath`.
    explicit CPersonalInfo(const QString& filePath);
    // Copies the file path, every field and the modified flag.
    CPersonalInfo(const CPersonalInfo& other);
    CPersonalInfo& operator=(const CPersonalInfo& other);

    // The file header (type 9), then the fields in order.
    void Serialize(CExpenseArchive& archive, int context) override;
    // Not modified, every field empty; the file path stays.
    void Reset() override;

    QString GetField(Field field) const;
    void SetField(Field field, const QString& value);

    QString GetName() const override { return GetField(kName); }
    void SetName(const QString& value) { SetField(kName, value); }
    QString GetCompany() const { return GetField(kCompany); }
    void SetCompany(const QString& value) { SetField(kCompany, value); }
    QString GetDepartment() const { return GetField(kDepartment); }
    void SetDepartment(const QString& value) { SetField(kDepartment, value); }
    QString GetDivision() const { return GetField(kDivision); }
    void SetDivision(const QString& value) { SetField(kDivision, value); }
    QString GetEmployeeId() const { return GetField(kEmployeeId); }
    void SetEmployeeId(const QString& value) { SetField(kEmployeeId, value); }
    QString GetMailStop() const { return GetField(kMailStop); }
    void SetMailStop(const QString& value) { SetField(kMailStop, value); }
    QString GetAddress() const { return GetField(kAddress); }
    void SetAddress(const QString& value) { SetField(kAddress, value); }
    QString GetCity() const { return GetField(kCity); }
    void SetCity(const QString& value) { SetField(kCity, value); }
    QString GetStateOrRegion() const { return GetField(kStateOrRegion); }
    void SetStateOrRegion(const QString& value) { SetField(kStateOrRegion, value); }
    QString GetZipOrPostalCode() const { return GetField(kZipOrPostalCode); }
    void SetZipOrPostalCode(const QString& value) { SetField(kZipOrPostalCode, value); }
    QString GetCompanyPhone() const { return GetField(kCompanyPhone); }
    void SetCompanyPhone(const QString& value) { SetField(kCompanyPhone, value); }
    QString GetDirectPhone() const { return GetField(kDirectPhone); }
    void SetDirectPhone(const QString& value) { SetField(kDirectPhone, value); }
    QString GetEmail() const { return GetField(kEmail); }
    void SetEmail(const QString& value) { SetField(kEmail, value); }

    // The field's name in code and in JSON ("name", "employeeId", ...).
    static QString FieldName(Field field);
    // The field's label in the personal-info view ("Name:", ...); the state
    // and the zip code are a region and a postal code for an international
    // traveller.
    static QString FieldLabel(Field field, bool internationalTraveler);

    const QString& GetFilePath() const { return filePath_; }
    // An empty path restores the default path.
    void SetFilePath(const QString& path);
    // PersonalInfo.dat in the data folder; empty without a data folder.
    static QString DefaultFilePath();

    // Reads the fields from the file. A missing, empty, unreadable, foreign
    // or newer file is replaced by empty fields, written at once (see
    // LoadListFile); the result is then that of the save. False without a
    // file path.
    bool Load(bool reportErrors);
    // Writes the fields when they are modified (true without writing when
    // not). False without a file path or when the save failed.
    bool Save(bool reportErrors);

private:
    QString filePath_;
    std::array<QString, kFieldCount> fields_;
};
