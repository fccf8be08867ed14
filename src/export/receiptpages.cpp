#include "receiptpages.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QPdfDocument>

#include "export/exportcontent.h"
#include "lists/category.h"
#include "platform/dateformatting.h"
#include "report/expenserecord.h"

namespace {

QString ScanErrorText(QPdfDocument::Error error) {
    switch (error) {
        case QPdfDocument::Error::FileNotFound:
            return QStringLiteral("the file is missing");
        case QPdfDocument::Error::InvalidFileFormat:
            return QStringLiteral("it is not a PDF file");
        case QPdfDocument::Error::IncorrectPassword:
        case QPdfDocument::Error::UnsupportedSecurityScheme:
            return QStringLiteral("it is locked with a password");
        default:
            return QStringLiteral("it is damaged");
    }
}

// `image` laid on white: a transparent picture would print as black in some
// viewers, and an opaque one goes into the PDF as a smaller JPEG.
QImage OnWhite(const QImage& image) {
    if (!image.hasAlphaChannel()) {
        return image.convertToFormat(QImage::Format_RGB32);
    }
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    painter.end();
    return flat;
}

}  // namespace

CReceiptPages::CReceiptPages() = default;

CReceiptPages::~CReceiptPages() = default;

bool CReceiptPages::Load(const CExportContent& content, QString& error) {
    content_ = &content;
    pages_.clear();
    receiptCount_ = 0;
    const auto& expenses = content.GetExpenses();
    for (size_t expense = 0; expense < expenses.size(); ++expense) {
        for (const ReceiptFile& receipt : content.ReceiptsOf(expense)) {
            int pages = 1;
            const QString problem = Check(receipt, pages);
            if (!problem.isEmpty()) {
                const CExpenseRecord& record = *expenses[expense];
                const QString name = receipt.originalName.isEmpty()
                                         ? QFileInfo(receipt.path).fileName()
                                         : receipt.originalName;
                error = QStringLiteral(
                            "The receipt \"%1\" of %2 on %3 cannot be put in the "
                            "report: %4.")
                            .arg(name, record.GetCategory().GetName(),
                                 FormatDate(record.GetDate(), 0), problem);
                pages_.clear();
                return false;
            }
            ++receiptCount_;
            for (int page = 0; page < pages; ++page) {
                pages_.push_back({expense, &receipt, receiptCount_, page, pages});
            }
        }
    }
    return true;
}

QString CReceiptPages::Check(const ReceiptFile& receipt, int& pages) {
    const QFileInfo file(receipt.path);
    if (!file.exists()) {
        return QStringLiteral("its file is missing");
    }
    if (!file.isFile()) {
        return QStringLiteral("it is not a plain file");
    }
    if (!file.isReadable()) {
        return QStringLiteral("its file may not be read");
    }
    if (receipt.isPdf) {
        QString error;
        QPdfDocument* scan = OpenScan(receipt.path, error);
        if (scan == nullptr) {
            return error;
        }
        pages = scan->pageCount();
        if (pages < 1) {
            return QStringLiteral("it has no pages");
        }
        if (pages > kMostScanPages) {
            return QStringLiteral("it has %1 pages, and a receipt may have at most %2")
                .arg(pages)
                .arg(kMostScanPages);
        }
        return {};
    }
    QImageReader reader(receipt.path);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead()) {
        return QStringLiteral("it is not a picture that can be read");
    }
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty()) {
        return QStringLiteral("it is not a picture that can be read");
    }
    if (static_cast<qint64>(size.width()) * size.height() > kMostPixels) {
        return QStringLiteral(
                   "it is %1 x %2 pixels, and a receipt may have at most %3 "
                   "million")
            .arg(size.width())
            .arg(size.height())
            .arg(kMostPixels / 1'000'000);
    }
    return {};
}

QPdfDocument* CReceiptPages::OpenScan(const QString& path, QString& error) {
    if (scan_ && scanPath_ == path) {
        return scan_.get();
    }
    scanPath_.clear();
    scan_ = std::make_unique<QPdfDocument>();
    const QPdfDocument::Error result = scan_->load(path);
    if (result != QPdfDocument::Error::None) {
        error = ScanErrorText(result);
        scan_.reset();
        return nullptr;
    }
    scanPath_ = path;
    return scan_.get();
}

QImage CReceiptPages::Render(const Page& page, QSize pixels, QString& error) {
    const ReceiptFile& receipt = *page.receipt;
    QImage image;
    if (receipt.isPdf) {
        QPdfDocument* scan = OpenScan(receipt.path, error);
        if (scan == nullptr) {
            return {};
        }
        const QSize size =
            scan->pagePointSize(page.page).toSize().scaled(pixels, Qt::KeepAspectRatio);
        image = scan->render(page.page, size.expandedTo(QSize(1, 1)));
    } else {
        QImageReader reader(receipt.path);
        reader.setDecideFormatFromContent(true);
        // A photo turned on its side by its camera is shown upright.
        reader.setAutoTransform(true);
        // Decoded no larger than the page shows it, whichever way it turns.
        const int longest = std::max(pixels.width(), pixels.height());
        const QSize stored = reader.size();
        if (stored.isValid() && (stored.width() > longest || stored.height() > longest)) {
            reader.setScaledSize(stored.scaled(longest, longest, Qt::KeepAspectRatio));
        }
        image = reader.read();
        if (image.isNull()) {
            error = reader.errorString();
        }
    }
    if (image.isNull()) {
        error = QStringLiteral("The receipt %1 could not be read: %2")
                    .arg(receipt.path, error.isEmpty() ? QStringLiteral("it changed") : error);
        return {};
    }
    if (image.width() > pixels.width() || image.height() > pixels.height()) {
        image = image.scaled(pixels, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    return OnWhite(image);
}
