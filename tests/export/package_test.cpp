#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QMap>
#include <QPainter>
#include <QPdfWriter>

#include "export/exportcontent.h"
#include "export/packagewriter.h"
#include "export/reportexporter.h"
#include "exporttools.h"
#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "report/expenserecord.h"
#include "samplereport.h"
#include "support/testplatform.h"

namespace {

using Format = CReportExporter::Format;

// Receipt files made for a test, by the description of their expense.
class Receipts {
public:
    explicit Receipts(const QString& folder) : folder_(folder) { QDir().mkpath(folder); }

    // A picture of `size` in `format` ("png", "jpg"), saved as `name`.
    ReceiptFile Picture(const QString& name, QSize size, const char* format) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        const QString path = JoinPath(folder_, name);
        EXPECT_TRUE(image.save(path, format));
        return {path, name, false};
    }

    // A PDF scan of `pages` pages.
    ReceiptFile Scan(const QString& name, int pages) {
        const QString path = JoinPath(folder_, name);
        QPdfWriter writer(path);
        QPainter painter(&writer);
        for (int page = 0; page < pages; ++page) {
            if (page > 0) {
                writer.newPage();
            }
            painter.drawRect(100, 100, 2000, 3000);
        }
        painter.end();
        return {path, name, true};
    }

    void Attach(const QString& description, const ReceiptFile& receipt) {
        byDescription_[description].push_back(receipt);
    }

    ReceiptSource Source() const {
        return [this](const CExpenseRecord& record) {
            return byDescription_.value(record.GetDescription());
        };
    }

private:
    QString folder_;
    QMap<QString, std::vector<ReceiptFile>> byDescription_;
};

CReportExporter::Result Package(CExpenseReport& report, const Receipts& receipts,
                                const QString& output = {}, bool folder = false) {
    CReportExporter::Request request;
    request.format = Format::kPackage;
    request.outputPath = output;
    request.receipts = receipts.Source();
    request.packageFolder = folder;
    request.pageSize = QPageSize::A4;
    return CReportExporter::Export(report, request);
}

// The CRC-32 of PNG chunks and ZIP entries.
quint32 Crc32(const QByteArray& bytes) {
    quint32 crc = 0xFFFFFFFF;
    for (const char byte : bytes) {
        crc ^= static_cast<unsigned char>(byte);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
        }
    }
    return ~crc;
}

QStringList Files(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                                  QDir::Name);
}

}  // namespace

// The report's order is not the table's, which goes day by day: the taxi of
// the 15th was entered before the lunch of the 14th.
TEST(Package, HoldsTheReportAndEveryReceiptInTheReportsOrder) {
    TestPlatform platform;
    SampleReport report;
    report.Add(QStringLiteral("Airport taxi"), 40, 15, QStringLiteral("Euro"), 1.25,
               QStringLiteral("Taxi Zürich"));
    report.Add(QStringLiteral("Soup and bread"), 12.5, 14);
    report.Add(QStringLiteral("Hotel night"), 150, 14, QStringLiteral("U.S. Dollars"), 1,
               QStringLiteral("Lodging"));
    Receipts receipts(platform.Path("kept"));
    const ReceiptFile scan = receipts.Scan(QStringLiteral("taxi.pdf"), 2);
    const ReceiptFile photo = receipts.Picture(QStringLiteral("lunch.JPG"), {900, 1600}, "jpg");
    // Wider than tall, and on a transparent-capable format.
    const ReceiptFile slip = receipts.Picture(QStringLiteral("slip.png"), {1200, 500}, "png");
    receipts.Attach(QStringLiteral("Airport taxi"), scan);
    receipts.Attach(QStringLiteral("Soup and bread"), photo);
    receipts.Attach(QStringLiteral("Soup and bread"), slip);

    const CReportExporter::Result result = Package(report.Get(), receipts);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(result.path, ExportsPath("Trip.zip"));
    EXPECT_EQ(result.expenseCount, 3);
    EXPECT_EQ(result.receiptCount, 3);

    const QStringList names = {
        "Trip.pdf",
        "Trip.csv",
        "2026-03-15 Taxi Zürich 40.00 EUR.pdf",
        "2026-03-14 Lunch 12.50 USD.jpg",
        "2026-03-14 Lunch 12.50 USD.png",
    };
    // Names beyond ASCII are flagged as UTF-8, which every reader of today
    // takes as such.
    const QStringList zipped = ZipNamesWithPython(result.path);
    ASSERT_EQ(zipped.size(), names.size()) << zipped.join(" | ").toStdString();
    EXPECT_EQ(zipped, names);

    // The folder form holds the same files, the receipts byte for byte.
    const QString handedIn = platform.Path("handed-in");
    QDir().mkpath(handedIn);
    const CReportExporter::Result folder = Package(report.Get(), receipts, handedIn, true);
    ASSERT_TRUE(folder.ok) << folder.error.toStdString();
    EXPECT_EQ(folder.path, handedIn + "/Trip");
    EXPECT_EQ(Files(handedIn), QStringList{"Trip"});
    QStringList sorted = names;
    sorted.sort();
    EXPECT_EQ(Files(folder.path), sorted);
    EXPECT_EQ(ReadFileBytes(folder.path + "/" + names[2]), ReadFileBytes(scan.path));
    EXPECT_EQ(ReadFileBytes(folder.path + "/" + names[4]), ReadFileBytes(slip.path));
    // The spreadsheet tells of each expense's receipts as the PDF does.
    const QByteArray csv = ReadFileBytes(folder.path + "/Trip.csv");
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    const QList<QByteArray> rows = csv.split('\n');
    ASSERT_GE(rows.size(), 4);
    EXPECT_TRUE(rows[1].contains("Airport taxi") && rows[1].contains(",Yes,")) << rows[1].data();
    EXPECT_TRUE(rows[2].contains(",Yes (2),")) << rows[2].data();
    EXPECT_TRUE(rows[3].contains("Hotel night") && rows[3].contains(",Missing,"))
        << rows[3].data();

    // One report page, then a page for each page of every receipt.
    const QString pdf = folder.path + "/Trip.pdf";
    EXPECT_EQ(PdfInfo(pdf, "Pages"), "5");
    EXPECT_EQ(folder.pageCount, 5);
    const QString table = PdfText(pdf, 1, 1);
    EXPECT_TRUE(table.contains("Missing")) << table.toStdString();
    EXPECT_TRUE(table.contains("Receipts attached: 2 of 3 expenses, 1 missing"))
        << table.toStdString();
    struct Appendix {
        const char* title;
        const char* expense;
        const char* amount;
        const char* file;
    };
    const Appendix pages[] = {
        {"Receipt 1 of 3, page 1 of 2", "Airport taxi", "$32.00", "taxi.pdf"},
        {"Receipt 1 of 3, page 2 of 2", "Airport taxi", "$32.00", "taxi.pdf"},
        {"Receipt 2 of 3", "Soup and bread", "$12.50", "lunch.JPG"},
        {"Receipt 3 of 3", "Soup and bread", "$12.50", "slip.png"},
    };
    for (int i = 0; i < 4; ++i) {
        const QString text = PdfText(pdf, i + 2, i + 2);
        SCOPED_TRACE(text.toStdString());
        EXPECT_TRUE(text.contains(pages[i].title));
        EXPECT_TRUE(text.contains(pages[i].expense));
        EXPECT_TRUE(text.contains(pages[i].amount));
        EXPECT_TRUE(text.contains(pages[i].file));
        EXPECT_TRUE(text.contains(QStringLiteral("Page %1 of 5").arg(i + 2)));
    }
}

TEST(Package, AReportWithoutReceiptsMarksEveryExpense) {
    TestPlatform platform;
    SampleReport report;
    report.Add(QStringLiteral("Taxi"), 30);
    const Receipts none(platform.Path("kept"));
    const CReportExporter::Result result = Package(report.Get(), none);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(ZipNamesWithPython(result.path), (QStringList{"Trip.pdf", "Trip.csv"}));
    EXPECT_EQ(result.pageCount, 1);
    EXPECT_EQ(result.receiptCount, 0);
}

// A receipt that cannot be read stops the package: nothing is written, and a
// package it would have replaced stays as it was.
TEST(Package, AnUnreadableReceiptWritesNothing) {
    TestPlatform platform;
    SampleReport report;
    report.Add(QStringLiteral("Lunch"), 12);
    Receipts receipts(platform.Path("kept"));
    const QString folder = platform.Path("handed-in");
    QDir().mkpath(folder);
    const QString previous = folder + "/Trip.zip";
    ASSERT_TRUE(WriteFileBytes(previous, "an older package"));

    // A picture claiming 20,000 x 20,000 pixels: its header alone is read.
    const ReceiptFile small = receipts.Picture(QStringLiteral("huge.png"), {4, 4}, "png");
    QByteArray huge = ReadFileBytes(small.path);
    const QByteArray side("\x00\x00\x4E\x20", 4);
    huge.replace(16, 4, side);
    huge.replace(20, 4, side);
    // The header chunk's type and data, then its checksum.
    const quint32 crc = Crc32(huge.mid(12, 17));
    for (int i = 0; i < 4; ++i) {
        huge[29 + i] = static_cast<char>(crc >> (24 - 8 * i));
    }
    ASSERT_TRUE(WriteFileBytes(small.path, huge));
    const QString notPdf = platform.Path("kept/fake.pdf");
    ASSERT_TRUE(WriteFileBytes(notPdf, "%PDF-1.4 and then nothing"));
    const QString truncated = platform.Path("kept/cut.jpg");
    const ReceiptFile photo = receipts.Picture(QStringLiteral("cut.jpg"), {64, 64}, "jpg");
    ASSERT_TRUE(WriteFileBytes(truncated, ReadFileBytes(photo.path).left(40)));

    struct Case {
        const char* name;
        ReceiptFile receipt;
        const char* error;
    };
    const Case cases[] = {
        {"a file that vanished",
         {platform.Path("kept/gone.jpg"), "gone.jpg", false},
         "The receipt \"gone.jpg\" of Lunch on 3/14/2026 cannot be put in the report: its file "
         "is missing."},
        {"a picture too large",
         {small.path, "huge.png", false},
         "it is 20000 x 20000 pixels, and a receipt may have at most 100 million"},
        {"a scan that is no PDF", {notPdf, "fake.pdf", true}, "it is not a PDF file"},
        {"a picture cut short", {truncated, "cut.jpg", false}, "cut.jpg"},
        {"a folder", {platform.Path("kept"), "kept", false}, "it is not a plain file"},
        {"a device", {"/dev/zero", "zero.jpg", false}, "it is not a plain file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Receipts one(platform.Path("kept"));
        one.Attach(QStringLiteral("Lunch"), c.receipt);
        for (const bool asFolder : {false, true}) {
            const CReportExporter::Result result =
                Package(report.Get(), one, asFolder ? folder + "/Trip" : previous, asFolder);
            EXPECT_FALSE(result.ok);
            EXPECT_TRUE(result.error.contains(QString::fromUtf8(c.error)))
                << result.error.toStdString();
            EXPECT_EQ(Files(folder), QStringList{"Trip.zip"});
            EXPECT_EQ(ReadFileBytes(previous), "an older package");
        }
    }

    // A folder package is always a new folder.
    const CReportExporter::Result onFile = Package(report.Get(), receipts, previous, true);
    EXPECT_FALSE(onFile.ok);
    EXPECT_EQ(onFile.error, "A package folder cannot replace the file " + previous + ".");
}

TEST(Package, ReceiptNamesAreSafeAndNumbered) {
    struct Case {
        QString text;
        QString name;
    };
    const Case cases[] = {
        {"2026-03-14 Lunch 12.50", "2026-03-14 Lunch 12.50"},
        {"Food/Drink", "Food_Drink"},
        {"../../etc/passwd", "_._etc_passwd"},
        {"a..b...c", "a.b.c"},
        {"tab\there\nnewline", "tab_here_newline"},
        {"C:\\x*?<>|\"", "C__x______"},
        {" .hidden. ", "hidden"},
        {"..", "_"},
        {"", "_"},
        {"Café 東京", "Café 東京"},
        {QString(300, QLatin1Char('x')), QString(120, QLatin1Char('x'))},
        {QStringLiteral("right\u202Eleft"), "right_left"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CPackageWriter::SafeFileName(c.text), c.name) << c.text.toStdString();
    }

    // Two receipts of one expense, and a receipt named like the report's files.
    TestPlatform platform;
    SampleReport report;
    report.Add(QStringLiteral("A"), 5, 14, QStringLiteral("U.S. Dollars"), 1,
               QStringLiteral("Lunch"));
    report.Add(QStringLiteral("B"), 5, 14, QStringLiteral("U.S. Dollars"), 1,
               QStringLiteral("lunch/ ../dinner"));
    CExportContent content(report.Get(), false, {});
    content.SetReceipts([](const CExpenseRecord& record) {
        return std::vector<ReceiptFile>{{"/kept/1", "one.PDF", true},
                                        {"/kept/2", record.GetDescription(), false},
                                        {"/kept/3.webp", "three.bin..exe/..", false}};
    });
    const std::vector<QString> names = CPackageWriter::ReceiptNames(
        content, {"2026-03-14 Lunch 5.00 USD.pdf", "2026-03-14 Lunch 5.00 USD.csv"});
    const std::vector<QString> expected = {
        "2026-03-14 Lunch 5.00 USD (2).pdf",       "2026-03-14 Lunch 5.00 USD.jpg",
        "2026-03-14 Lunch 5.00 USD.webp",          "2026-03-14 lunch_ ._dinner 5.00 USD.pdf",
        "2026-03-14 lunch_ ._dinner 5.00 USD.jpg", "2026-03-14 lunch_ ._dinner 5.00 USD.webp",
    };
    EXPECT_EQ(names, expected);
}
