#include "lists/personalinfo.h"

#include <gtest/gtest.h>

#include <QFile>
#include <optional>

#include "listfilebytes.h"
#include "support/testplatform.h"
#include "unusablefile.h"

namespace {

QString DataFile(const TestPlatform& platform) {
    return platform.Root() + "/Outlaysheet/Data/PersonalInfo.dat";
}

// Header 9/1 and 13 empty fields.
const QByteArray kEmptyPersonalInfoFile =
    QByteArray::fromHex("0900000001000000") + QByteArray::fromHex("fffeff00").repeated(13);

}  // namespace

TEST(PersonalInfo, AHandWrittenFileIsReadAndWrittenBackByteForByte) {
    TestPlatform platform;
    const QString path = DataFile(platform);
    ASSERT_TRUE(WriteFileBytes(path, kPersonalInfoFile));
    CPersonalInfo info;
    EXPECT_EQ(info.GetFilePath(), path);
    ASSERT_TRUE(info.Load(false));
    EXPECT_EQ(info.GetName(), "Jane Roe");
    EXPECT_EQ(info.GetCompany(), "Acme Ltd.");
    EXPECT_EQ(info.GetDirectPhone(), "555-0100");
    EXPECT_EQ(info.GetEmail(), "jane@acme.example");
    EXPECT_EQ(info.GetCompanyPhone(), "");
    EXPECT_EQ(info.GetStateOrRegion(), "");

    ASSERT_TRUE(WriteFileBytes(path, "sentinel"));
    ASSERT_TRUE(info.Save(false));
    EXPECT_EQ(ReadFileBytes(path), "sentinel");
    info.SetModified(true);
    ASSERT_TRUE(info.Save(false));
    EXPECT_EQ(ReadFileBytes(path), kPersonalInfoFile);

    // Each setter reaches its own place in the file.
    info.SetDepartment("D");
    info.SetDivision("V");
    info.SetEmployeeId("E");
    info.SetMailStop("M");
    info.SetAddress("A");
    info.SetCity("C");
    info.SetStateOrRegion("S");
    info.SetZipOrPostalCode("Z");
    info.SetCompanyPhone("P");
    ASSERT_TRUE(info.Save(false));
    // Department to company phone: nine empty strings in the hand-written file.
    const QByteArray nineEmpty = QByteArray::fromHex("fffeff00").repeated(9);
    const QByteArray filled = QByteArray::fromHex(
        "fffeff014400fffeff015600fffeff014500fffeff014d00"  // D V E M
        "fffeff014100fffeff014300fffeff015300fffeff015a00"  // A C S Z
        "fffeff015000");                                    // P
    QByteArray expected = kPersonalInfoFile;
    ASSERT_GT(expected.indexOf(nineEmpty), 0);
    expected.replace(expected.indexOf(nineEmpty), nineEmpty.size(), filled);
    EXPECT_EQ(ReadFileBytes(path), expected);
}

TEST(PersonalInfo, UnusableFilesAreReplacedByEmptyFields) {
    const UnusableFile files[] = {
        {"missing", std::nullopt, false},
        {"empty", QByteArray(), false},
        {"foreign type", QByteArray::fromHex("0500000001000000") + kPersonalInfoFile.mid(8), true},
        {"newer version", QByteArray::fromHex("0900000002000000") + kPersonalInfoFile.mid(8),
         true},
        {"twelve fields", kPersonalInfoFile.left(kPersonalInfoFile.size() - 38), true},
        {"absurd length", QByteArray::fromHex("0900000001000000fffeffffffffffffff7f"), true},
    };
    for (const UnusableFile& file : files) {
        TestPlatform platform;
        const QString path = DataFile(platform);
        PlaceFile(path, file);
        CPersonalInfo info;
        EXPECT_TRUE(info.Load(false)) << file.name;
        EXPECT_EQ(info.GetName(), "") << file.name;
        EXPECT_FALSE(info.IsModified()) << file.name;
        ExpectReplaced(path, kEmptyPersonalInfoFile, file);
    }
}

TEST(PersonalInfo, LabelsFollowTheTravellerSettingAndResetKeepsThePath) {
    struct Case {
        CPersonalInfo::Field field;
        QString name;
        QString label;
        QString international;
    } cases[] = {
        {CPersonalInfo::kName, "name", "Name:", "Name:"},
        {CPersonalInfo::kEmployeeId, "employeeId", "Employee ID:", "Employee ID:"},
        {CPersonalInfo::kStateOrRegion, "stateOrRegion", "State:", "Region:"},
        {CPersonalInfo::kZipOrPostalCode, "zipOrPostalCode", "Zip:", "Postal Code:"},
        {CPersonalInfo::kEmail, "email", "Email:", "Email:"},
        {CPersonalInfo::kFieldCount, "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CPersonalInfo::FieldName(c.field), c.name);
        EXPECT_EQ(CPersonalInfo::FieldLabel(c.field, false), c.label);
        EXPECT_EQ(CPersonalInfo::FieldLabel(c.field, true), c.international);
    }

    CPersonalInfo info("/somewhere/PersonalInfo.dat");
    info.SetCity("Springfield");
    info.SetLoaded(true);
    const CPersonalInfo copy(info);
    EXPECT_EQ(copy.GetCity(), "Springfield");
    EXPECT_TRUE(copy.IsModified());
    EXPECT_FALSE(copy.IsLoaded());
    info.Reset();
    EXPECT_EQ(info.GetCity(), "");
    EXPECT_FALSE(info.IsModified());
    EXPECT_EQ(info.GetFilePath(), "/somewhere/PersonalInfo.dat");
}
