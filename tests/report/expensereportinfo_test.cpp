#include "report/expensereportinfo.h"

#include <gtest/gtest.h>

#include <QDir>

#include "archive/objectfile.h"
#include "support/testplatform.h"

namespace {

const QString kTaken = QStringLiteral("A file with the same name already exists");

}  // namespace

TEST(ExpenseReportInfo, ValidatingANewReportsName) {
    TestPlatform platform;
    const QString folder = platform.Path("Reports");
    ASSERT_TRUE(WriteFileBytes(folder + "/Boston.xpf", "a report"));
    struct Case {
        const char* name;
        QString reportName;
        QString error;
    } cases[] = {
        {"blank", "", "Report name cannot be blank"},
        {"26 characters", QString(26, 'x'), "Report name cannot exceed 25 characters"},
        {"25 characters", QString(25, 'x'), ""},
        {"a full stop", "Trip.2026", "Enter a report name that does not contain \\/:*?\"<>|."},
        {"a slash", "a/b", "Enter a report name that does not contain \\/:*?\"<>|."},
        {"a backslash", "a\\b", "Enter a report name that does not contain \\/:*?\"<>|."},
        {"a vertical bar", "a|b", "Enter a report name that does not contain \\/:*?\"<>|."},
        {"taken", "Boston", kTaken},
        {"free", "Austin", ""},
    };
    for (const Case& c : cases) {
        CExpenseReportInfo header;
        QString error = "left over";
        EXPECT_EQ(header.ValidateName(folder, c.reportName, false, error), c.error.isEmpty())
            << c.name;
        EXPECT_EQ(error, c.error) << c.name;
        const QString path = c.error.isEmpty() ? folder + "/" + c.reportName + ".xpf" : QString();
        EXPECT_EQ(header.GetPath(), path) << c.name;
    }
}

TEST(ExpenseReportInfo, RenamingCopiesTheFileAndNeverReplacesAnother) {
    TestPlatform platform;
    const QString folder = platform.Path("Reports");
    WriteFileBytes(folder + "/Boston.xpf", "Boston's report");
    WriteFileBytes(folder + "/Austin.xpf", "Austin's report");
    QString error;
    // Without renaming, an existing report keeps its file whatever the name.
    CExpenseReportInfo existing;
    ASSERT_TRUE(existing.ValidateName(folder, "Chicago", false, error));
    WriteFileBytes(existing.GetPath(), "Chicago's report");
    EXPECT_TRUE(existing.ValidateName(folder, "Boston", false, error));
    EXPECT_EQ(existing.GetPath(), folder + "/Chicago.xpf");

    // Onto another report's file: refused, and both files stay.
    EXPECT_FALSE(existing.ValidateName(folder, "Austin", true, error));
    EXPECT_EQ(error, kTaken);
    EXPECT_EQ(ReadFileBytes(folder + "/Austin.xpf"), "Austin's report");
    EXPECT_EQ(ReadFileBytes(folder + "/Chicago.xpf"), "Chicago's report");
    EXPECT_EQ(existing.GetPath(), folder + "/Chicago.xpf");

    // To a free name: the file moves.
    EXPECT_TRUE(existing.ValidateName(folder, "Denver", true, error));
    EXPECT_EQ(error, "");
    EXPECT_EQ(existing.GetPath(), folder + "/Denver.xpf");
    EXPECT_EQ(existing.GetTitle(), "Denver");
    EXPECT_EQ(ReadFileBytes(folder + "/Denver.xpf"), "Chicago's report");
    EXPECT_FALSE(QFile::exists(folder + "/Chicago.xpf"));

    // A copy that fails leaves the path and reports the system's reason.
    EXPECT_FALSE(existing.ValidateName(platform.Path("Missing"), "Elko", true, error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_LE(error.size(), 255);
    EXPECT_EQ(existing.GetPath(), folder + "/Denver.xpf");
    EXPECT_TRUE(QFile::exists(folder + "/Denver.xpf"));

    // The same name in other letter case is the same report.
    EXPECT_TRUE(existing.ValidateName(folder, "DENVER", true, error));
    EXPECT_EQ(existing.GetPath(), folder + "/Denver.xpf");
}

TEST(ExpenseReportInfo, TitlesAndTheModifiedFlag) {
    TestPlatform platform;
    struct Case {
        const char* file;
        QString title;
    } cases[] = {
        {"Boston.xpf", "Boston"},
        {"Boston.XPF", "Boston"},
        {"notes.txt", "notes.txt"},
    };
    for (const Case& c : cases) {
        const QString path = platform.Path(c.file);
        WriteFileBytes(path, QByteArray::fromHex("0600000002000000") + QByteArray(56, '\0') +
                                 QByteArray::fromHex("fffeff00fffeff000000000000000000"));
        CExpenseReportInfo header;
        ASSERT_TRUE(LoadObjectFromFile(path, &header, false, true, true)) << c.file;
        EXPECT_EQ(header.GetTitle(), c.title) << c.file;
    }

    CExpenseReportInfo header;
    CExpenseTotals totals;
    totals.SetTotal(Amount(5));
    totals.SetChanged(true);
    header.SetTotals(totals);
    EXPECT_TRUE(header.IsModified());
    const CExpenseReportInfo copy(header);
    EXPECT_TRUE(copy.GetTotals().IsChanged());
    EXPECT_TRUE(copy.IsModified());
    // Saved: the figures in memory are those of the file.
    header.SetModified(false);
    EXPECT_FALSE(header.IsModified());
    EXPECT_EQ(header.GetTotals().GetTotal().GetValue(), 5.0);
}
