#include "lists/listimagefiles.h"

#include <gtest/gtest.h>

#include <QtEndian>

#include "support/testplatform.h"

namespace {

// The first bytes of a bitmap: "BM", the file header and an information
// header of `infoSize` bytes giving the width and height. Nothing of the
// pixels is read, so none are written.
QByteArray BitmapHead(qint32 width, qint32 height, quint32 infoSize = 40) {
    QByteArray bytes("BM");
    bytes += QByteArray(12, '\0');
    char number[4];
    qToLittleEndian<quint32>(infoSize, number);
    bytes += QByteArray(number, 4);
    if (infoSize == 12) {
        char shortNumber[2];
        qToLittleEndian<quint16>(quint16(width), shortNumber);
        bytes += QByteArray(shortNumber, 2);
        qToLittleEndian<quint16>(quint16(height), shortNumber);
        return bytes + QByteArray(shortNumber, 2) + QByteArray(4, '\0');
    }
    qToLittleEndian<qint32>(width, number);
    bytes += QByteArray(number, 4);
    qToLittleEndian<qint32>(height, number);
    return bytes + QByteArray(number, 4) + QByteArray(infoSize - 12, '\0');
}

class ListImageFilesTest : public ::testing::Test {
protected:
    ListImageFilesTest() { InitDirectories(kInitImages); }
    void Write(ImageFolder folder, const QString& name, const QByteArray& bytes) {
        ASSERT_TRUE(WriteFileBytes(GetImagesSubdirectory(folder, true) + name, bytes));
    }

    TestPlatform platform_;
};

TEST_F(ListImageFilesTest, OnlyStandardSizedBitmapsAreStandard) {
    struct Case {
        const char* name;
        QByteArray bytes;
        bool standard;
    };
    const Case cases[] = {
        {"32 x 32", BitmapHead(32, 32), true},
        {"stored top row first", BitmapHead(32, -32), true},
        {"old core header", BitmapHead(32, 32, 12), true},
        {"larger information header", BitmapHead(32, 32, 124), true},
        {"too wide", BitmapHead(40, 32), false},
        {"too low", BitmapHead(32, 28), false},
        {"not a bitmap", QByteArray("GIF89a") + BitmapHead(32, 32).mid(6), false},
        {"cut short", BitmapHead(32, 32).left(20), false},
        {"unknown header size", BitmapHead(32, 32, 20), false},
        {"empty", QByteArray(), false},
    };
    for (const Case& c : cases) {
        const QString path = platform_.Path(QStringLiteral("picture.bmp"));
        ASSERT_TRUE(WriteFileBytes(path, c.bytes));
        EXPECT_EQ(IsStandardListImage(path), c.standard) << c.name;
    }
    EXPECT_FALSE(IsStandardListImage(platform_.Path(QStringLiteral("missing.bmp"))));
}

TEST_F(ListImageFilesTest, TheFolderOffersItsUpPicturesOfTheStandardSize) {
    Write(ImageFolder::PaidWith, QStringLiteral("PAIDWITH02U.BMP"), BitmapHead(32, 32));
    Write(ImageFolder::PaidWith, QStringLiteral("paidwith01u.bmp"), BitmapHead(32, 32));
    Write(ImageFolder::PaidWith, QStringLiteral("PAIDWITH01D.BMP"), BitmapHead(32, 32));
    Write(ImageFolder::PaidWith, QStringLiteral("BIGU.BMP"), BitmapHead(64, 64));
    Write(ImageFolder::PaidWith, QStringLiteral("NOTESU.TXT"), BitmapHead(32, 32));
    Write(ImageFolder::Class, QStringLiteral("CLASSIFICATION01U.BMP"), BitmapHead(32, 32));
    EXPECT_EQ(StandardListImages(ImageFolder::PaidWith),
              QStringList({QStringLiteral("paidwith01u.bmp"), QStringLiteral("PAIDWITH02U.BMP")}));
    EXPECT_TRUE(StandardListImages(ImageFolder::ExpenseType).isEmpty());
}

TEST_F(ListImageFilesTest, CategoriesOfferTheirOwnAndTheCustomPicturesNotTheBuiltInOnes) {
    const QStringList choices =
        CategoryImageChoices({QStringLiteral("CATFOODU.BMP"), QStringLiteral("BOATU.BMP"),
                              QStringLiteral("catcustom03u.bmp"), QStringLiteral("catmiscu.bmp")});
    QStringList expected{QStringLiteral("BOATU.BMP"), QStringLiteral("catcustom03u.bmp")};
    for (int number : {1, 2, 4, 5, 6, 7, 8, 9, 10}) {
        expected.append(QStringLiteral("CATCUSTOM%1U.BMP").arg(number, 2, 10, QLatin1Char('0')));
    }
    EXPECT_EQ(choices, expected);
}

}  // namespace
