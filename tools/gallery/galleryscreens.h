#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class CExpenseDoc;
class CExpenseRecord;
class CMainFrame;
class QWidget;

// One of the handheld's screen forms.
struct GalleryForm {
    const char* name;
    QSize size;
};
inline constexpr GalleryForm kGalleryForms[] = {
    {"portrait", {240, 320}}, {"landscape", {320, 240}}, {"square", {240, 240}}};

// Every screen of the program on fixed sample data, made in the folders of the
// current platform: the gallery draws them, the layout check measures them.
class GalleryScreens {
public:
    // Called while a screen is shown: its window and the pop-up open over it
    // (null when none).
    using Shown = std::function<void(QWidget* window, QWidget* popUp)>;
    struct Screen {
        QString name;
        // Builds the screen, shows it, hands it to `shown` and closes it.
        std::function<void(const Shown& shown)> show;
    };

    // Writes the sample reports, lists, trash and a backup archive at
    // `archive`, and opens the program's window on them.
    explicit GalleryScreens(const QString& archive);
    ~GalleryScreens();

    CMainFrame& Frame() const { return *frame_; }
    const std::vector<Screen>& Screens() const { return screens_; }
    // The window in `form`, laid out and shown.
    void SetForm(const GalleryForm& form);

private:
    void AddScreens();
    // Photos and a scan attached to two expenses of the sample report.
    void AttachSampleReceipts();
    // The sample report's expense with this description.
    const CExpenseRecord* Expense(const QString& description) const;
    // The subtotals of another report, with or without the graph; the sample
    // report is open again afterwards.
    void SubtotalsShow(const QString& title, bool graph, const Shown& shown);
    // The shipped list of currencies, with a traveller's rates in use, while
    // `show` runs; the table of the other screens is back afterwards.
    void WithShippedCurrencies(const std::function<void()>& show);

    QString archive_;
    std::unique_ptr<CExpenseDoc> document_;
    std::unique_ptr<CMainFrame> frame_;
    std::vector<Screen> screens_;
    QStringList receiptFiles_;  // the sample photos and scan, before they were attached
};
