#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "lists/listfilebytes.h"
#include "support/clirunner.h"
#include "support/testplatform.h"

namespace {

QJsonObject Item(const char* name, const char* imageName) {
    return QJsonObject{{"name", name}, {"imageName", imageName}};
}

QJsonObject Header(int fileType) {
    return QJsonObject{{"fileType", fileType}, {"fileVersion", 1}};
}

QJsonObject With(QJsonObject object, const QJsonObject& more) {
    for (auto it = more.begin(); it != more.end(); ++it) {
        object.insert(it.key(), it.value());
    }
    return object;
}

}  // namespace

TEST(CliDump, ClassificationHistoryAndPersonalInfoFilesInFileOrder) {
    // A group that holds "Visa" twice in different case, which the program's
    // list would merge: the dump shows the file as it is.
    const QByteArray duplicates = QByteArray::fromHex(
        "0400000001000000"
        "fffeff015800"  // current group "X"
        "01000000"
        "fffeff015800"                            // "X"
        "02000000"                                // two classifications
        "fffeff045600690073006100fffeff014100"    // "Visa", "A"
        "fffeff045600490053004100fffeff014200");  // "VISA", "B"
    struct Case {
        const char* name;
        QByteArray bytes;
        QJsonObject json;
    } cases[] = {
        {"classification groups", kClassificationsFile,
         With(Header(4),
              {{"currentGroupName", "Regions"},
               {"groups",
                QJsonArray{
                    QJsonObject{
                        {"name", "Regions"},
                        {"classifications", QJsonArray{Item("West", "CLASSIFICATION02U.BMP"),
                                                       Item("South", "CLASSIFICATION03U.BMP"),
                                                       Item("None", "CLASSIFICATION01U.BMP")}}},
                    QJsonObject{{"name", "Custom Class"},
                                {"classifications",
                                 QJsonArray{Item("Client 1", "CLASSIFICATION09U.BMP")}}}}}})},
        {"classifications the list would merge", duplicates,
         With(Header(4), {{"currentGroupName", "X"},
                          {"groups", QJsonArray{QJsonObject{
                                         {"name", "X"},
                                         {"classifications",
                                          QJsonArray{Item("Visa", "A"), Item("VISA", "B")}}}}}})},
        {"no groups", QByteArray::fromHex("0400000001000000fffeff0000000000"),
         With(Header(4), {{"currentGroupName", ""}, {"groups", QJsonArray()}})},
        {"history", kHistoryFile,
         With(Header(5), {{"items", QJsonArray{"Zürich", "Agenda", "Budget review"}}})},
        {"personal info", kPersonalInfoFile,
         With(Header(9), {{"name", "Jane Roe"},
                          {"company", "Acme Ltd."},
                          {"department", ""},
                          {"division", ""},
                          {"employeeId", ""},
                          {"mailStop", ""},
                          {"address", ""},
                          {"city", ""},
                          {"stateOrRegion", ""},
                          {"zipOrPostalCode", ""},
                          {"companyPhone", ""},
                          {"directPhone", "555-0100"},
                          {"email", "jane@acme.example"}})},
    };
    for (const Case& c : cases) {
        TestPlatform platform;
        const QString path = platform.Path("file.dat");
        ASSERT_TRUE(WriteFileBytes(path, c.bytes));
        const CliResult run = RunCli(platform, {"dump", path});
        EXPECT_EQ(run.exitCode, 0) << c.name << ": " << run.err.toStdString();
        EXPECT_EQ(QJsonDocument::fromJson(run.out.toUtf8()).object(), c.json)
            << c.name << ": " << run.out.toStdString();
        EXPECT_TRUE(run.err.isEmpty()) << c.name;
        // A dump only reads: nothing is repaired or replaced.
        EXPECT_EQ(ReadFileBytes(path), c.bytes) << c.name;
    }
}

TEST(CliDump, BrokenClassificationHistoryAndPersonalInfoFilesFailAndStayAsTheyAre) {
    struct Case {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"classifications, truncated", kClassificationsFile.left(kClassificationsFile.size() - 1)},
        {"classifications, absurd count", kClassificationsFile.left(26) + "\xff\xff\xff\xff"},
        {"history, absurd count", QByteArray::fromHex("0500000001000000ffffffffff7f")},
        {"personal info, eleven fields", kPersonalInfoFile.left(kPersonalInfoFile.size() - 40)},
    };
    for (const Case& c : cases) {
        TestPlatform platform;
        const QString path = platform.Path("file.dat");
        ASSERT_TRUE(WriteFileBytes(path, c.bytes));
        const CliResult run = RunCli(platform, {"dump", path});
        EXPECT_EQ(run.exitCode, 1) << c.name;
        EXPECT_EQ(run.err.trimmed(), "Unexpected file format. \n\nFile: " + path) << c.name;
        EXPECT_TRUE(run.out.isEmpty()) << c.name;
        EXPECT_EQ(ReadFileBytes(path), c.bytes) << c.name;
    }
}
