#include "backup/trashfolder.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>

#include "platform/directories.h"
#include "platform/platform.h"
#include "support/testplatform.h"

namespace {

void PutInTrash(const QString& name, const QByteArray& bytes, TimeStamp modified) {
    const QString path = GetTrashDirectory() + "/" + name;
    ASSERT_TRUE(WriteFileBytes(path, bytes));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::fromSecsSinceEpoch(modified),
                                 QFileDevice::FileModificationTime));
}

QStringList Names(const QList<TrashFolder::Item>& items) {
    QStringList names;
    for (const auto& item : items) {
        names.append(item.fileName);
    }
    return names;
}

}  // namespace

TEST(TrashFolder, ListsReportsWithTheirDateAndSize) {
    TestPlatform platform;
    PutInTrash("Boston.xpf", QByteArray(1234, 'b'), kTestNow);
    PutInTrash("austin.XPF", "a", kTestNow - 86400 * 40);
    PutInTrash("notes.txt", "not a report", kTestNow);

    const QList<TrashFolder::Item> items = TrashFolder::List();
    ASSERT_EQ(Names(items), (QStringList{"austin.XPF", "Boston.xpf"}));
    EXPECT_EQ(items[1].dateText, "3/14/2026 3:09 PM");
    EXPECT_EQ(items[1].sizeText, "1234 bytes");
    EXPECT_EQ(items[0].dateText, "2/2/2026 3:09 PM");
    EXPECT_EQ(items[0].sizeText, "1 bytes");
}

TEST(TrashFolder, RestoresOnlyWhatTheReportsDoNotHold) {
    TestPlatform platform;
    PutInTrash("Boston.xpf", "deleted", kTestNow);
    PutInTrash("Austin.xpf", "deleted austin", kTestNow);
    const QString reports = GetReportsDirectory();
    WriteFileBytes(reports + "/Austin.xpf", "current austin");

    EXPECT_EQ(TrashFolder::Restore("Boston.xpf"), TrashFolder::RestoreResult::Restored);
    EXPECT_EQ(ReadFileBytes(reports + "/Boston.xpf"), "deleted");
    EXPECT_FALSE(QFile::exists(GetTrashDirectory() + "/Boston.xpf"));

    // A report of the same name leaves both files where they are.
    EXPECT_EQ(TrashFolder::Restore("Austin.xpf"), TrashFolder::RestoreResult::AlreadyExists);
    EXPECT_EQ(platform.Prompts().Texts(),
              QStringList{"The file 'Austin.xpf' already exists, please rename the existing file "
                          "and try restoring again."});
    EXPECT_EQ(ReadFileBytes(reports + "/Austin.xpf"), "current austin");
    EXPECT_EQ(ReadFileBytes(GetTrashDirectory() + "/Austin.xpf"), "deleted austin");

    // Names the trash listing could never show reach nothing outside it.
    WriteFileBytes(platform.Root() + "/Outside.xpf", "outside");
    for (const char* name : {"", "..", "../../Outside.xpf", "Missing.xpf", "."}) {
        EXPECT_EQ(TrashFolder::Restore(name), TrashFolder::RestoreResult::Missing) << name;
    }
    EXPECT_EQ(ReadFileBytes(platform.Root() + "/Outside.xpf"), "outside");
}

TEST(TrashFolder, DeleteAllTakesOnlyReports) {
    TestPlatform platform;
    PutInTrash("Boston.xpf", "b", kTestNow);
    PutInTrash("Austin.xpf", "a", kTestNow);
    PutInTrash("keep.txt", "k", kTestNow);

    EXPECT_EQ(TrashFolder::DeleteAll(), 2);
    EXPECT_TRUE(TrashFolder::List().isEmpty());
    EXPECT_TRUE(QFile::exists(GetTrashDirectory() + "/keep.txt"));
    EXPECT_EQ(TrashFolder::DeleteAll(), 0);
}
