#include "platform/registry.h"

#include <gtest/gtest.h>

#include <QFile>

#include "platform/regionalsettings.h"
#include "support/testplatform.h"

namespace {

const QString kKey = QStringLiteral("Software\\Tillhouse\\Outlaysheet for Pocket PC\\Reports");

}  // namespace

TEST(Registry, ValuesKeepTheirTypesInTheHiveFile) {
    TestPlatform platform;
    Registry& registry = platform.GetRegistry();
    ASSERT_TRUE(registry.WriteString(RegistryHive::CurrentUser, kKey, "MRUFile", "/r/Trip.xpf"));
    ASSERT_TRUE(registry.WriteInteger(RegistryHive::CurrentUser, kKey, "Delay", 0xFFFFFFFF));
    ASSERT_TRUE(registry.WriteBinary(RegistryHive::CurrentUser, kKey, "Blob",
                                     QByteArray("\x00\x01\xFF", 3)));
    // Texts that look like the typed forms stay texts.
    ASSERT_TRUE(registry.WriteString(RegistryHive::CurrentUser, kKey, "Tricky", "dword:0000002a"));
    ASSERT_TRUE(registry.WriteString(RegistryHive::CurrentUser, kKey, "Tricky2", "sz:x"));

    // A second registry over the same folder stands for another process.
    const Registry other(platform.RegistryFolder());
    EXPECT_EQ(other.ReadString(RegistryHive::CurrentUser, kKey, "MRUFile"), "/r/Trip.xpf");
    EXPECT_EQ(other.ReadInteger(RegistryHive::CurrentUser, kKey, "Delay"), 0xFFFFFFFFu);
    EXPECT_EQ(other.ReadBinary(RegistryHive::CurrentUser, kKey, "Blob"),
              QByteArray("\x00\x01\xFF", 3));
    EXPECT_EQ(other.ReadString(RegistryHive::CurrentUser, kKey, "Tricky"), "dword:0000002a");
    EXPECT_EQ(other.ReadString(RegistryHive::CurrentUser, kKey, "Tricky2"), "sz:x");

    // A value of another type reads as missing.
    EXPECT_FALSE(other.ReadInteger(RegistryHive::CurrentUser, kKey, "MRUFile"));
    EXPECT_FALSE(other.ReadString(RegistryHive::CurrentUser, kKey, "Delay"));
    EXPECT_FALSE(other.ReadString(RegistryHive::CurrentUser, kKey, "Blob"));
    EXPECT_EQ(other.ReadString(RegistryHive::CurrentUser, kKey, "Delay", "fallback"), "fallback");
    // Hives are separate.
    EXPECT_FALSE(other.ReadString(RegistryHive::LocalMachine, kKey, "MRUFile"));
    EXPECT_FALSE(other.ReadString(RegistryHive::ClassesRoot, kKey, "MRUFile"));

    EXPECT_TRUE(registry.DeleteValue(RegistryHive::CurrentUser, kKey, "MRUFile"));
    EXPECT_FALSE(other.ReadString(RegistryHive::CurrentUser, kKey, "MRUFile"));
}

TEST(Registry, ReadsAHandWrittenHive) {
    TestPlatform platform;
    ASSERT_TRUE(WriteFileBytes(platform.RegistryFolder() + "/LocalMachine.ini",
                               "[Software]\n"
                               "Apps\\Outlaysheet\\App%20Path=/opt/outlaysheet\n"
                               "Apps\\Outlaysheet\\Count=dword:0000002A\n"
                               "Apps\\Outlaysheet\\Bad=dword:xyz\n"
                               "Apps\\Outlaysheet\\Bytes=@ByteArray(AB)\n"));
    const Registry& registry = platform.GetRegistry();
    const QString key = QStringLiteral("Software\\Apps\\Outlaysheet");
    EXPECT_EQ(registry.ReadString(RegistryHive::LocalMachine, key, "App Path"),
              "/opt/outlaysheet");
    EXPECT_EQ(registry.ReadInteger(RegistryHive::LocalMachine, key, "Count"), 42u);
    EXPECT_FALSE(registry.ReadValue(RegistryHive::LocalMachine, key, "Bad"));
    EXPECT_EQ(registry.ReadBinary(RegistryHive::LocalMachine, key, "Bytes"), QByteArray("AB"));
    EXPECT_EQ(registry.ValueNames(RegistryHive::LocalMachine, key).size(), 4);
}

TEST(Registry, WithoutAUsableFolderNothingIsReadOrWritten) {
    TestPlatform platform;
    WriteFileBytes(platform.Path("afile"), "x");
    Registry blocked(platform.Path("afile/registry"));
    EXPECT_FALSE(blocked.WriteString(RegistryHive::CurrentUser, kKey, "A", "B"));
    EXPECT_FALSE(blocked.ReadString(RegistryHive::CurrentUser, kKey, "A"));
    Registry none{QString()};
    EXPECT_FALSE(none.WriteInteger(RegistryHive::CurrentUser, kKey, "A", 1));
    EXPECT_FALSE(none.ReadValue(RegistryHive::CurrentUser, kKey, "A"));
}

TEST(RegionalSettings, PerUserOverridesLieOverTheProcessLocale) {
    TestPlatform platform;
    Registry& registry = platform.GetRegistry();
    registry.WriteString(RegistryHive::CurrentUser, "Regional", "sShortDate", "dd.MM.yyyy");
    registry.WriteInteger(RegistryHive::CurrentUser, "Regional", "iCurrDigits", 3);
    registry.WriteString(RegistryHive::CurrentUser, "Regional", "sThousand", "");
    registry.WriteString(RegistryHive::CurrentUser, "Regional", "sNoSuchItem", "x");
    platform.Get().RefreshRegional();

    const RegionalSettings& regional = platform.Get().GetRegional();
    EXPECT_EQ(regional.User().Text(LocaleItem::ShortDate), "dd.MM.yyyy");
    EXPECT_EQ(regional.System().Text(LocaleItem::ShortDate), "M/d/yyyy");
    EXPECT_EQ(regional.User().Number(LocaleItem::CurrencyDigits), 3);
    // An empty override is supplied (as empty), and Text falls back past it.
    EXPECT_EQ(regional.Get(LocaleItem::Thousand), QString());
    EXPECT_EQ(regional.Text(LocaleItem::Thousand), ",");
    EXPECT_EQ(regional.Text(LocaleItem::CurrencySymbol), "$");
}

TEST(Registry, ABatchWritesEachHiveOnceAtItsEnd) {
    TestPlatform platform;
    Registry& registry = platform.GetRegistry();
    const Registry other(platform.RegistryFolder());
    {
        RegistryBatch batch(registry);
        registry.WriteInteger(RegistryHive::CurrentUser, kKey, "A", 1);
        registry.WriteString(RegistryHive::LocalMachine, kKey, "B", "two");
        // Inside the batch its own writes are seen...
        EXPECT_EQ(registry.ReadInteger(RegistryHive::CurrentUser, kKey, "A"), 1u);
        // ...but nothing has reached the files yet.
        EXPECT_FALSE(QFile::exists(registry.HiveFile(RegistryHive::CurrentUser)));
    }
    EXPECT_EQ(other.ReadInteger(RegistryHive::CurrentUser, kKey, "A"), 1u);
    EXPECT_EQ(other.ReadString(RegistryHive::LocalMachine, kKey, "B"), "two");
}
