#include "storedfiles.h"

#include <gtest/gtest.h>

#include <QFile>
#include <functional>

#include "archive/objectfile.h"
#include "platform/directories.h"
#include "report/report.h"
#include "samplereports.h"
#include "support/testplatform.h"

namespace {

QString Report(const QString& title) {
    return GetReportsDirectory(true) + title + QStringLiteral(".xpf");
}

void CutShort(const QString& path) {
    const QByteArray bytes = ReadFileBytes(path);
    ASSERT_GT(bytes.size(), 12) << path.toStdString();
    ASSERT_TRUE(WriteFileBytes(path, bytes.left(bytes.size() - 3)));
}

}  // namespace

TEST(StoredFiles, TheSamplesAreGood) {
    TestPlatform platform;
    InitDirectories(1 | 2 | 8);
    MakeSampleReports();
    EXPECT_EQ(CheckStoredFiles(platform.Root()), QStringList());
}

// Each fault a run could leave is found, and named by its file.
TEST(StoredFiles, NamesTheFileOfEachFault) {
    struct Case {
        const char* name;
        std::function<void()> damage;
        const char* expected;  // the start of the one fault, after the root
    };
    const Case cases[] = {
        {"totals a cent off",
         [] {
             CExpenseReport report;
             ASSERT_TRUE(LoadObjectFromFile(Report("Boston Trip"), &report, false, false, true));
             CExpenseTotals totals = report.GetHeader().GetTotals();
             totals.SetTotal(Amount(totals.GetTotal().GetValue() + 0.01));
             report.GetHeader().SetTotals(totals);
             ASSERT_TRUE(SaveObjectToFile(Report("Boston Trip"), &report, false));
         },
         "/Outlaysheet/Boston Trip.xpf stores total 654.81999999999994,"},
        {"report cut short", [] { CutShort(Report("March")); },
         "/Outlaysheet/March.xpf does not load"},
        {"list cut short", [] { CutShort(GetDataDirectory(true) + "PaidWith.dat"); },
         "/Outlaysheet/Data/PaidWith.dat does not load"},
        {"a file of another program",
         [] { ASSERT_TRUE(WriteFileBytes(GetDataDirectory(true) + "Notes.dat", "to do")); },
         "/Outlaysheet/Data/Notes.dat is no list file"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        TestPlatform platform;
        InitDirectories(1 | 2 | 8);
        MakeSampleReports();
        test.damage();
        const QStringList faults = CheckStoredFiles(platform.Root());
        ASSERT_EQ(faults.size(), 1) << faults.join('\n').toStdString();
        EXPECT_TRUE(faults.first().startsWith(platform.Root() + test.expected))
            << faults.first().toStdString();
    }
}
