#include <QCheckBox>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>

#include "framefixture.h"
#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "platform/platform.h"
#include "views/frame/exportdialog.h"
#include "views/widgets/wrappinglabel.h"

namespace {

using ExportTest = FrameFixture;

QStringList ZipNames(const QString& path) {
    QProcess list;
    list.start(QStringLiteral("unzip"), {QStringLiteral("-Z1"), path});
    EXPECT_TRUE(list.waitForFinished(60000));
    return QString::fromUtf8(list.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

}  // namespace

TEST_F(ExportTest, APackageIsWrittenAsAZipFileOrAFolder) {
    MakeReport(QStringLiteral("Trip"), {12.5, 40});
    StartFrame();
    const QString zip = JoinPath(GetExportsDirectory(), QStringLiteral("Trip.zip"));
    WhenDialogOpens([&](QDialog* dialog) {
        auto* exporter = qobject_cast<CExportDialog*>(dialog);
        ASSERT_NE(exporter, nullptr);
        // The folder is a detail of the package alone.
        EXPECT_FALSE(exporter->AsFolder()->isEnabled());
        Tap(exporter->PackageButton());
        EXPECT_TRUE(exporter->AsFolder()->isEnabled());
        Tap(exporter->ExportButton());
        EXPECT_EQ(exporter->WrittenLabel()->text(),
                  QStringLiteral("The expense report and its receipts were exported to ") + zip);
        Tap(exporter->OpenFileButton());
        Tap(exporter->DoneButton());
    });
    ASSERT_TRUE(Choose(QStringLiteral("Export...")));
    EXPECT_EQ(Messages(), QStringList());
    EXPECT_EQ(ZipNames(zip), (QStringList{"Trip.pdf", "Trip.csv"}));
    EXPECT_EQ(Platform::Get().GetShell().Opened(), QStringList{zip});

    const QString folder = JoinPath(GetExportsDirectory(), QStringLiteral("Trip"));
    WhenDialogOpens([&](QDialog* dialog) {
        auto* exporter = qobject_cast<CExportDialog*>(dialog);
        ASSERT_NE(exporter, nullptr);
        Tap(exporter->PackageButton());
        Tap(exporter->AsFolder());
        // Another format leaves the folder box aside.
        Tap(exporter->CsvButton());
        EXPECT_FALSE(exporter->AsFolder()->isEnabled());
        Tap(exporter->PackageButton());
        Tap(exporter->ExportButton());
        EXPECT_EQ(exporter->WrittenPath(), folder);
        Tap(exporter->OpenFolderButton());
        Tap(exporter->DoneButton());
    });
    ASSERT_TRUE(Choose(QStringLiteral("Export...")));
    EXPECT_EQ(Messages(), QStringList());
    EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name),
              (QStringList{"Trip.csv", "Trip.pdf"}));
    EXPECT_EQ(Platform::Get().GetShell().Opened(), (QStringList{zip, GetExportsDirectory()}));
}
