#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QtEndian>

#include "platform/shippeddata.h"
#include "shippedfiles.h"
#include "support/qtprinters.h"

namespace {

QStringList Numbered(const QString& prefix, int last) {
    QStringList names;
    for (int i = 1; i <= last; ++i) {
        names.append(QStringLiteral("%1%2U.BMP").arg(prefix).arg(i, 2, 10, QLatin1Char('0')));
    }
    return names;
}

const QStringList kCategoryPictures = {
    "CATNONEU.BMP",  "CATFOODU.BMP",    "CATPHONEU.BMP",    "CATPARKINGU.BMP", "CATENTERTU.BMP",
    "CATFUELU.BMP",  "CATMILEAGEU.BMP", "CATTAXIU.BMP",     "CATLODGINGU.BMP", "CATCARRENTALU.BMP",
    "CATFARESU.BMP", "CATTIPSU.BMP",    "CATSUPPLIESU.BMP", "CATMISCU.BMP",
};

// The pictures of each image folder, as the lists and settings name them.
QStringList ExpectedInFolder(const QString& folder) {
    if (folder == "category") {
        return kCategoryPictures;
    }
    if (folder == "class") {
        return Numbered("CLASSIFICATION", 16);
    }
    if (folder == "paidwith") {
        return Numbered("PAIDWITH", 14);
    }
    if (folder == "expensetype") {
        return {"ETREIMBURSABLEU.BMP", "ETDEDUCTIBLEU.BMP", "ETNONDEDUCTIBLEU.BMP"};
    }
    return {"OTHERPURPOSEU.BMP",        "OTHERLOCATIONEXPENSEU.BMP", "OTHERCONTACTSU.BMP",
            "OTHERLOCATIONREPORTU.BMP", "OTHERPERSONALINFOU.BMP",    "OTHERPAYMENTSU.BMP",
            "OTHERGENERALU.BMP",        "OTHERCLASSU.BMP",           "OTHERCURRENCYU.BMP",
            "OTHERACCOUNTSU.BMP",       "OTHERCUSTOMU.BMP",          "OTHERREPORTSU.BMP",
            "OTHERBACKUPU.BMP"};
}

// The pictures that exist only inside the program.
QStringList ExpectedBuiltInOnly() {
    QStringList names;
    for (const QString& name : kCategoryPictures) {
        if (name != "CATNONEU.BMP") {
            names.append(QString(name).replace("U.BMP", "D.BMP"));
        }
    }
    for (const QString& name : Numbered("CATCUSTOM", 10)) {
        names << name << QString(name).replace("U.BMP", "D.BMP");
    }
    for (const char* key :
         {"ZERO", "ONE", "TWO", "THREE", "FOUR", "FIVE", "SIX", "SEVEN", "EIGHT", "NINE",
          "PERIODSEP", "COMMASEP", "DELETE", "CLEAR", "SAVE", "CANCEL"}) {
        names.append(QStringLiteral("MP_%1U.BMP").arg(QLatin1String(key)));
    }
    names << "BROKENIMAGEU.BMP"
          << "GRAPHSHOWNU.BMP"
          << "GRAPHHIDDENU.BMP"
          << "SPLASH.BMP";
    return names;
}

QStringList Sorted(QStringList names) {
    names.sort();
    return names;
}

QStringList AllFolderPictures() {
    QStringList names;
    for (const QString& folder : ImageFolderNames()) {
        names += ExpectedInFolder(folder);
    }
    return names;
}

QSize ExpectedSize(const QString& name) {
    if (name.startsWith("MP_")) {
        return {40, 30};
    }
    if (name.startsWith("GRAPH")) {
        return {24, 24};
    }
    if (name == "SPLASH.BMP") {
        return {240, 150};
    }
    return {32, 32};
}

bool IsKey(QRgb pixel) {
    return (pixel & 0xffffff) == 0xff00ff;
}

// A pixel close to the key but not the key shows as a pink speck where the
// background should be.
bool NearKey(QRgb pixel) {
    return !IsKey(pixel) && qRed(pixel) > 200 && qBlue(pixel) > 200 && qGreen(pixel) < 60;
}

}  // namespace

TEST(ShippedImages, EachImageFolderShipsExactlyItsPictures) {
    for (const QString& folder : ImageFolderNames()) {
        EXPECT_EQ(ShippedPictures(folder), Sorted(ExpectedInFolder(folder)))
            << folder.toStdString();
    }
    const QStringList folders =
        QDir(ShareFolder() + "/images").entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    EXPECT_EQ(folders, Sorted(ImageFolderNames()));
}

// The program holds every picture, so that one missing from the user's folders
// can still be drawn by its bare name.
TEST(ShippedImages, TheProgramHoldsEveryPicture) {
    const QStringList resources = QDir(":/images").entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(resources, Sorted(AllFolderPictures() + ExpectedBuiltInOnly()));
}

TEST(ShippedImages, EveryPictureTheSourcesNameExists) {
    int files = 0;
    const QStringList names =
        FindInSources(QRegularExpression(R"re("([A-Z0-9_]+[UD]\.BMP)")re"), &files);
    ASSERT_GT(files, 0) << "no sources under " OUTLAYSHEET_SOURCE_DIR;
    for (const QString& name : names) {
        EXPECT_FALSE(GetBuiltInImagePath(name).isEmpty()) << name.toStdString();
    }
}

TEST(ShippedImages, EachIsA24BitBitmapOfItsSizeWithAClearKey) {
    for (const QString& name : AllFolderPictures() + ExpectedBuiltInOnly()) {
        SCOPED_TRACE(name.toStdString());
        QFile file(":/images/" + name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        ASSERT_GE(bytes.size(), 54);
        EXPECT_EQ(bytes.left(2), "BM");
        EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 28), 24) << "bits per pixel";
        EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 30), 0u) << "compression";

        const QImage image = QImage::fromData(bytes, "BMP");
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), ExpectedSize(name));
        int keyed = 0;
        int near = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                keyed += IsKey(image.pixel(x, y));
                near += NearKey(image.pixel(x, y));
            }
        }
        EXPECT_EQ(near, 0);
        const int area = image.width() * image.height();
        if (name == "SPLASH.BMP") {
            EXPECT_EQ(keyed, 0);
        } else {
            // Every button picture stands free on the background: its corners
            // let the background through and it is neither empty nor a block.
            EXPECT_TRUE(IsKey(image.pixel(0, 0)));
            EXPECT_TRUE(IsKey(image.pixel(image.width() - 1, image.height() - 1)));
            EXPECT_GT(keyed, area / 10);
            EXPECT_LT(keyed, area * 9 / 10);
        }
    }
}

// The expense-type pop-up shows its pictures 28 rows high, cutting off the
// bottom of each.
TEST(ShippedImages, ExpenseTypePicturesLeaveTheirLastRowsEmpty) {
    for (const QString& name : ExpectedInFolder("expensetype")) {
        const QImage image(":/images/" + name);
        ASSERT_EQ(image.height(), 32);
        for (int y = 28; y < 32; ++y) {
            for (int x = 0; x < image.width(); ++x) {
                ASSERT_TRUE(IsKey(image.pixel(x, y)))
                    << name.toStdString() << " " << x << "," << y;
            }
        }
    }
}

TEST(ShippedImages, FolderFilesAreTheBuiltInPictures) {
    for (const QString& folder : ImageFolderNames()) {
        for (const QString& name : ShippedPictures(folder)) {
            QFile shipped(ShareFolder() + "/images/" + folder + "/" + name);
            QFile builtIn(":/images/" + name);
            ASSERT_TRUE(shipped.open(QIODevice::ReadOnly) && builtIn.open(QIODevice::ReadOnly));
            EXPECT_EQ(shipped.readAll(), builtIn.readAll()) << name.toStdString();
        }
    }
}

TEST(ShippedImages, DownTwinsArePressedVersionsOfTheirPictures) {
    for (const QString& down : ExpectedBuiltInOnly()) {
        if (!down.endsWith("D.BMP")) {
            continue;
        }
        SCOPED_TRACE(down.toStdString());
        const QString up = down.chopped(5) + "U.BMP";
        const QImage upImage(":/images/" + up);
        const QImage downImage(":/images/" + down);
        ASSERT_FALSE(upImage.isNull() || downImage.isNull());
        EXPECT_EQ(downImage.size(), upImage.size());
        EXPECT_NE(downImage, upImage);
    }
}

TEST(BuiltInImagePath, FindsAPictureByAnySpellingOfItsName) {
    struct Case {
        const char* name;
        QString imageName;
        QString path;
    };
    const Case cases[] = {
        {"exact", "CATFOODD.BMP", ":/images/CATFOODD.BMP"},
        {"lower case", "catcustom07u.bmp", ":/images/CATCUSTOM07U.BMP"},
        {"device path", "\\Windows\\mp_saveu.bmp", ":/images/MP_SAVEU.BMP"},
        {"unix path", "/home/ann/Images/BROKENIMAGEU.BMP", ":/images/BROKENIMAGEU.BMP"},
        {"unknown", "NOSUCHPICTUREU.BMP", ""},
        {"empty", "", ""},
        {"folder only", "/home/ann/", ""},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(GetBuiltInImagePath(test.imageName), test.path) << test.name;
    }
}
