#include "platform/filehelpers.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>

#include "support/testplatform.h"

namespace {

struct stat Status(const QString& path) {
    struct stat status {};
    ::stat(QFile::encodeName(path).constData(), &status);
    return status;
}

}  // namespace

TEST(TouchFile, SetsBothTimesToNowAndMakesTheFileWritable) {
    TestPlatform platform;
    const QString path = platform.Path("Trip.xpf");
    ASSERT_TRUE(WriteFileBytes(path, "report bytes"));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);

    platform.Clock().Set(kTestNow - 86400 * 3);
    EXPECT_TRUE(TouchFile(path));
    const struct stat touched = Status(path);
    EXPECT_EQ(touched.st_mtim.tv_sec, kTestNow - 86400 * 3);
    EXPECT_EQ(touched.st_atim.tv_sec, kTestNow - 86400 * 3);
    EXPECT_TRUE(touched.st_mode & S_IWUSR);
    EXPECT_EQ(ReadFileBytes(path), "report bytes");  // contents untouched
}

TEST(TouchFile, FailsForWhatIsNotThere) {
    TestPlatform platform;
    EXPECT_FALSE(TouchFile(platform.Path("missing.xpf")));
    EXPECT_FALSE(TouchFile(QString()));
    EXPECT_FALSE(QFile::exists(platform.Path("missing.xpf")));
    EXPECT_FALSE(TouchFile(platform.TempFolder()));  // a folder is not a file to write
    // A named pipe would block an open for writing until a reader came.
    const QString pipe = platform.Path("pipe.xpf");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    EXPECT_FALSE(TouchFile(pipe));
}

TEST(FileExists, FilesAndFolders) {
    TestPlatform platform;
    WriteFileBytes(platform.Path("a.dat"), "");
    EXPECT_TRUE(FileExists(platform.Path("a.dat")));
    EXPECT_TRUE(FileExists(platform.TempFolder()));
    EXPECT_FALSE(FileExists(platform.Path("b.dat")));
    EXPECT_FALSE(FileExists(QString()));
    EXPECT_TRUE(IsDirectory(platform.TempFolder()));
    EXPECT_FALSE(IsDirectory(platform.Path("a.dat")));
}
