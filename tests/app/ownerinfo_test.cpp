#include "app/ownerinfo.h"

#include <gtest/gtest.h>

#include "support/testplatform.h"

namespace {

// A UTF-16LE string with its terminator at `offset` of `record`.
void Put(QByteArray& record, int offset, const QString& text, bool terminate = true) {
    int at = offset;
    for (const QChar c : text) {
        record[at] = static_cast<char>(c.unicode() & 0xFF);
        record[at + 1] = static_cast<char>(c.unicode() >> 8);
        at += 2;
    }
    if (terminate) {
        record[at] = 0;
        record[at + 1] = 0;
    }
}

QByteArray FullRecord() {
    QByteArray record(640, '\0');
    Put(record, 0, "Ada Lovelace");
    Put(record, 72, "  Analytical\r\nEngines  ");
    Put(record, 144, "1 Main St\r\nSpringfield, IL 62701");
    Put(record, 516, "+1 217 555 0100");
    Put(record, 566, "ada@example.com");
    return record;
}

}  // namespace

TEST(OwnerInfo, FullRecordIsReadAndCleaned) {
    const COwnerInfo owner = COwnerInfo::FromOwnerRecord(FullRecord());
    EXPECT_TRUE(owner.fromRecord);
    EXPECT_EQ(owner.name, "Ada Lovelace");
    EXPECT_EQ(owner.company, "Analytical Engines");
    EXPECT_EQ(owner.street, "1 Main St");
    EXPECT_EQ(owner.city, "Springfield");
    EXPECT_EQ(owner.state, "IL");
    EXPECT_EQ(owner.postalCode, "62701");
    EXPECT_EQ(owner.telephone, "+1 217 555 0100");
    EXPECT_EQ(owner.email, "ada@example.com");
}

TEST(OwnerInfo, DamagedRecordsNeverReadPastTheirFields) {
    // No terminators at all: every field runs to the next field's offset.
    QByteArray unterminated(640, '\0');
    Put(unterminated, 0, QString(36, 'N'), false);
    Put(unterminated, 72, QString(36, 'C'), false);
    Put(unterminated, 566, QString(37, 'E'), false);
    COwnerInfo owner = COwnerInfo::FromOwnerRecord(unterminated);
    EXPECT_EQ(owner.name, QString(36, 'N'));
    EXPECT_EQ(owner.company, QString(36, 'C'));
    EXPECT_EQ(owner.email, QString(37, 'E'));

    // Cut inside the telephone, in the middle of a character.
    QByteArray truncated = FullRecord().left(516 + 9);
    owner = COwnerInfo::FromOwnerRecord(truncated);
    EXPECT_EQ(owner.name, "Ada Lovelace");
    EXPECT_EQ(owner.postalCode, "62701");
    EXPECT_EQ(owner.telephone, "+1 2");
    EXPECT_EQ(owner.email, "");

    owner = COwnerInfo::FromOwnerRecord(QByteArray());
    EXPECT_TRUE(owner.name.isEmpty());
    EXPECT_TRUE(owner.street.isEmpty());
    owner = COwnerInfo::FromOwnerRecord(QByteArray(1, 'A'));
    EXPECT_TRUE(owner.name.isEmpty());
}

TEST(OwnerInfo, AddressSplit) {
    struct Case {
        const char* address;
        const char* street;
        const char* city;
        const char* state;
        const char* postalCode;
    } cases[] = {
        {"1 Main St\r\nSpringfield, IL 62701", "1 Main St", "Springfield", "IL", "62701"},
        {"1 Main St", "1 Main St", "", "", ""},
        {"1 Main St\nSpringfield, IL 62701", "1 Main St Springfield, IL 62701", "", "", ""},
        // What follows a missing separator stays in the field being split.
        {"1 Main St\r\nSpringfield", "1 Main St", "Springfield", "", ""},
        {"1 Main St\r\nSpringfield, IL", "1 Main St", "Springfield", "IL", ""},
        {"1 Main St\r\nSpringfield, IL 62701 USA", "1 Main St", "Springfield", "IL", "62701 USA"},
        {"\r\n, ", "", "", "", ""},
    };
    for (const Case& c : cases) {
        COwnerInfo owner;
        owner.SetAddress(QString::fromLatin1(c.address));
        EXPECT_EQ(owner.street, c.street) << c.address;
        EXPECT_EQ(owner.city, c.city) << c.address;
        EXPECT_EQ(owner.state, c.state) << c.address;
        EXPECT_EQ(owner.postalCode, c.postalCode) << c.address;
    }
}

TEST(OwnerInfo, RegistryRecordElseTheAccountName) {
    TestPlatform platform;
    COwnerInfo owner = COwnerInfo::Read();
    EXPECT_FALSE(owner.fromRecord);
    EXPECT_EQ(owner.name, COwnerInfo::Clean(COwnerInfo::AccountFullName()));
    EXPECT_FALSE(owner.name.contains(','));
    EXPECT_TRUE(owner.company.isEmpty());
    EXPECT_TRUE(owner.street.isEmpty());
    EXPECT_TRUE(owner.email.isEmpty());

    // A value of another type is no owner record.
    platform.GetRegistry().WriteString(RegistryHive::CurrentUser, "ControlPanel\\Owner", "Owner",
                                       "Ada");
    EXPECT_FALSE(COwnerInfo::Read().fromRecord);

    platform.GetRegistry().WriteBinary(RegistryHive::CurrentUser, "ControlPanel\\Owner", "Owner",
                                       FullRecord());
    owner = COwnerInfo::Read();
    EXPECT_TRUE(owner.fromRecord);
    EXPECT_EQ(owner.name, "Ada Lovelace");
    EXPECT_EQ(owner.city, "Springfield");
}
