#include "lists/history.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <optional>

#include "listfilebytes.h"
#include "lists/historyholder.h"
#include "support/testplatform.h"
#include "unusablefile.h"

namespace {

// The file of that name in the data folder, which start-up has created.
QString DataFile(const TestPlatform& platform, const QString& name) {
    QDir().mkpath(platform.Root() + "/Outlaysheet/Data");
    return platform.Root() + "/Outlaysheet/Data/" + name;
}

// A history file without texts.
const QByteArray kEmptyHistoryFile = QByteArray::fromHex("05000000010000000000");

}  // namespace

TEST(History, AHandWrittenFileIsReadInItsOrderAndWrittenBackByteForByte) {
    TestPlatform platform;
    const QString path = DataFile(platform, "Purpose.dat");
    ASSERT_TRUE(WriteFileBytes(path, kHistoryFile));
    CHistory history(path);
    ASSERT_TRUE(history.Load(false));
    EXPECT_EQ(history.GetItems(), (QStringList{"Zürich", "Agenda", "Budget review"}));
    EXPECT_FALSE(history.IsModified());

    ASSERT_TRUE(WriteFileBytes(path, "sentinel"));
    ASSERT_TRUE(history.Save(false));
    EXPECT_EQ(ReadFileBytes(path), "sentinel");
    history.SetModified(true);
    ASSERT_TRUE(history.Save(false));
    EXPECT_EQ(ReadFileBytes(path), kHistoryFile);

    // The first change sorts the whole list.
    history.Add("client dinner");
    EXPECT_EQ(history.GetItems(),
              (QStringList{"Agenda", "Budget review", "client dinner", "Zürich"}));
}

TEST(History, UnusableFilesAreReplacedByAnEmptyList) {
    const UnusableFile files[] = {
        {"missing", std::nullopt, false},
        {"empty", QByteArray(), false},
        {"foreign type", QByteArray::fromHex("0900000001000000") + kHistoryFile.mid(8), true},
        {"newer version", QByteArray::fromHex("0500000002000000") + kHistoryFile.mid(8), true},
        {"truncated", kHistoryFile.left(kHistoryFile.size() - 2), true},
        {"absurd count", QByteArray::fromHex("0500000001000000ffffffffff7f"), true},
    };
    for (const UnusableFile& file : files) {
        TestPlatform platform;
        const QString path = DataFile(platform, "LocationExpense.dat");
        PlaceFile(path, file);
        CHistory history(path);
        EXPECT_TRUE(history.Load(false)) << file.name;
        EXPECT_EQ(history.GetCount(), 0) << file.name;
        EXPECT_FALSE(history.IsModified()) << file.name;
        ExpectReplaced(path, kEmptyHistoryFile, file);
        EXPECT_EQ(platform.Prompts().Texts(), KeptMessages(path, file.kept)) << file.name;
    }

    // A missing file is not an error worth a message, even when errors are
    // reported; a history without texts is kept as it is.
    TestPlatform platform;
    const QString path = DataFile(platform, "Contacts.dat");
    CHistory history(path);
    EXPECT_TRUE(history.Load(true));
    EXPECT_TRUE(platform.Prompts().Messages().empty());
    CHistory again(path);
    EXPECT_TRUE(again.Load(true));
    EXPECT_FALSE(QFile::exists(path + ".unreadable"));
    EXPECT_FALSE(CHistory().Load(false));
    EXPECT_FALSE(CHistory().Save(false));
}

TEST(History, TextsAreSortedWithoutRegardToCaseAndMayRepeat) {
    CHistory history;
    for (const char* text : {"beta", "Alpha", "gamma", "alpha", "Beta", "beta"}) {
        EXPECT_TRUE(history.Add(text));
    }
    // Texts equal but for case stay in the order they came.
    EXPECT_EQ(history.GetItems(),
              (QStringList{"Alpha", "alpha", "beta", "Beta", "beta", "gamma"}));
    EXPECT_TRUE(history.IsModified());
    EXPECT_EQ(history.Find("alpha"), 1);
    EXPECT_EQ(history.Find("ALPHA"), -1);
    EXPECT_EQ(history.Find("Beta"), 3);

    // Letters outside ASCII and characters between the cases compare by
    // their code points folded to one case, the same on every machine.
    CHistory mixed;
    for (const char* text : {"Zürich", "zebra", "_note", "Émile", "[draft]", "apple"}) {
        mixed.Add(QString::fromUtf8(text));
    }
    EXPECT_EQ(mixed.GetItems(),
              (QStringList{"[draft]", "_note", "apple", "zebra", "Zürich", "Émile"}));
}

TEST(History, IndexesOutOfRangeChangeNothing) {
    struct Case {
        const char* name;
        std::function<bool(CHistory&)> change;
        bool result;
        QStringList items;
    } cases[] = {
        {"insert before the start",
         [](CHistory& h) { return h.InsertAt(-1, "x"); },
         false,
         {"b", "d"}},
        {"insert inside", [](CHistory& h) { return h.InsertAt(0, "c"); }, true, {"b", "c", "d"}},
        {"insert at the end",
         [](CHistory& h) { return h.InsertAt(2, "a"); },
         true,
         {"a", "b", "d"}},
        {"insert far beyond",
         [](CHistory& h) { return h.InsertAt(99, "e"); },
         true,
         {"b", "d", "e"}},
        {"set", [](CHistory& h) { return h.SetAt(0, "z"); }, true, {"d", "z"}},
        {"set out of range", [](CHistory& h) { return h.SetAt(2, "z"); }, false, {"b", "d"}},
        {"set negative", [](CHistory& h) { return h.SetAt(-1, "z"); }, false, {"b", "d"}},
        {"remove", [](CHistory& h) { return h.RemoveAt(1); }, true, {"b"}},
        {"remove out of range", [](CHistory& h) { return h.RemoveAt(2); }, false, {"b", "d"}},
        {"remove all",
         [](CHistory& h) {
             h.RemoveAll();
             return true;
         },
         true,
         {}},
    };
    for (const Case& c : cases) {
        CHistory history;
        history.Add("d");
        history.Add("b");
        history.SetModified(false);
        EXPECT_EQ(c.change(history), c.result) << c.name;
        EXPECT_EQ(history.GetItems(), c.items) << c.name;
        EXPECT_EQ(history.IsModified(), c.result) << c.name;
    }
    CHistory history;
    history.Add("only");
    EXPECT_EQ(history.GetAt(0), "only");
    EXPECT_EQ(history.GetAt(1), "");
    EXPECT_EQ(history.GetAt(-1), "");
}

TEST(History, FilePathsAndCopies) {
    CHistory history("/data/Outlaysheet/Data/Purpose.dat");
    EXPECT_EQ(history.GetFilePath(false), "Purpose.dat");
    history.SetFilePath("");
    EXPECT_EQ(history.GetFilePath(), "/data/Outlaysheet/Data/Purpose.dat");
    history.SetFilePath("\\My Documents\\Outlaysheet\\Data\\Food Desc.dat");
    EXPECT_EQ(history.GetFilePath(false), "Food Desc.dat");

    history.Add("one");
    history.SetLoaded(true);
    const CHistory copy(history);
    EXPECT_EQ(copy.GetItems(), QStringList{"one"});
    EXPECT_EQ(copy.GetFilePath(), history.GetFilePath());
    EXPECT_TRUE(copy.IsModified());
    EXPECT_FALSE(copy.IsLoaded());  // a copy reads its file again when loaded
}

TEST(HistoryHolder, TheFourRememberedListsAndTheirFiles) {
    TestPlatform platform;
    const QString images = platform.Root() + "/Outlaysheet/Images/other/";
    ASSERT_TRUE(WriteFileBytes(images + "OTHERCONTACTSU.BMP", "BM"));
    struct Case {
        CHistoryHolder::Kind kind;
        QString name;
        QString file;
        QString image;
    } cases[] = {
        {CHistoryHolder::Kind::Purpose, "Purpose", "Purpose.dat", "OTHERPURPOSEU.BMP"},
        {CHistoryHolder::Kind::ExpenseLocations, "Expense Slip Locations", "LocationExpense.dat",
         "OTHERLOCATIONEXPENSEU.BMP"},
        {CHistoryHolder::Kind::Contacts, " Contacts", "Contacts.dat", "OTHERCONTACTSU.BMP"},
        {CHistoryHolder::Kind::ReportLocations, "Report Locations", "LocationReport.dat",
         "OTHERLOCATIONREPORTU.BMP"},
    };
    for (const Case& c : cases) {
        CHistoryHolder holder(c.kind);
        EXPECT_EQ(holder.GetName(), c.name);
        EXPECT_EQ(holder.GetImageName(), c.image);
        EXPECT_EQ(holder.GetImagePath(), images + c.image);
        EXPECT_EQ(holder.GetHistory().GetFilePath(), DataFile(platform, c.file));
        EXPECT_EQ(holder.GetHistory().GetFilePath(false), c.file);
        EXPECT_EQ(holder.IsImageMissing(), c.kind != CHistoryHolder::Kind::Contacts);

        ASSERT_TRUE(holder.Load(false));
        EXPECT_EQ(ReadFileBytes(DataFile(platform, c.file)), kEmptyHistoryFile);
        holder.GetHistory().Add(c.name);
        EXPECT_TRUE(holder.IsModified());
        ASSERT_TRUE(holder.Save(false));
        EXPECT_FALSE(holder.IsModified());
        CHistoryHolder reread(c.kind);
        ASSERT_TRUE(reread.Load(false));
        EXPECT_EQ(reread.GetHistory().GetItems(), QStringList{c.name});
    }
}
