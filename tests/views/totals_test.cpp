#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "framefixture.h"
#include "lists/expensetypemanager.h"
#include "lists/paidwith.h"
#include "platform/platform.h"
#include "report/expenserecord.h"
#include "views/frame/statusbar.h"
#include "views/totals/chartcontrol.h"
#include "views/totals/daterangebox.h"
#include "views/totals/daterangedialog.h"
#include "views/totals/graphview.h"
#include "views/totals/legendlist.h"
#include "views/totals/pagesubtotals.h"
#include "views/totals/pagetotals.h"
#include "views/totals/totalsdialog.h"
#include "views/widgets/commandbar.h"
#include "views/widgets/storeddateedit.h"

namespace {

// ---- The chart, drawn into images and read back pixel by pixel.

QImage Render(CChartControl& chart, QSize size = QSize(240, 200)) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    chart.Draw(painter, image.rect());
    return image;
}

bool IsDark(QRgb pixel) {
    return qGray(pixel) < 100;
}

QRgb Rgb(quint32 colour) {
    return CChartControl::ToColor(colour).rgb();
}

// The rows of column `x` where a dark run starts, from the bottom up,
// between `from` and `to` (exclusive, `from` > `to`).
QList<int> DarkRuns(const QImage& image, int x, int from, int to) {
    QList<int> runs;
    bool inRun = false;
    for (int y = from; y > to; --y) {
        const bool dark = IsDark(image.pixel(x, y));
        if (dark && !inRun) {
            runs.append(y);
        }
        inRun = dark;
    }
    return runs;
}

bool HasDarkPixel(const QImage& image, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.valid(x, y) && IsDark(image.pixel(x, y))) {
                return true;
            }
        }
    }
    return false;
}

TEST(ChartControl, EmptyChartDrawsItsAxisTicksAndLabelsOnly) {
    for (const auto& [maximum, ticks] : {std::pair(100, 10), std::pair(50, 5)}) {
        CChartControl chart;
        chart.SetAxis(0, maximum, 10);
        const QImage image = Render(chart);
        const int left = chart.GetPlotLeft();
        const int bottom = chart.GetPlotBottom();
        const int step = (chart.GetPlotHeight() - 10) / ticks;
        // The tick marks reach 3 pixels into the plot; nothing else does.
        const QList<int> runs = DarkRuns(image, left + 2, bottom - 2, 0);
        ASSERT_EQ(runs.size(), ticks) << maximum;
        for (int k = 1; k <= ticks; ++k) {
            EXPECT_NEAR(runs[k - 1], bottom - k * step, 1) << maximum << " tick " << k;
            // Its label sits left of the axis, level with it.
            EXPECT_TRUE(HasDarkPixel(image, QRect(0, bottom - k * step - 5, left - 6, 10)))
                << maximum << " label " << k;
        }
        EXPECT_TRUE(HasDarkPixel(image, QRect(0, bottom - 5, left - 6, 10))) << "0";
        EXPECT_FALSE(HasDarkPixel(image, QRect(0, 0, left - 6, bottom - ticks * step - 8)));
        // The axes are black, everything else white: no bar.
        EXPECT_TRUE(IsDark(image.pixel(left - 1, bottom - 20)));
        EXPECT_TRUE(IsDark(image.pixel(left + 20, bottom + 1)));
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                ASSERT_TRUE(pixel.red() == pixel.green() && pixel.green() == pixel.blue())
                    << "colour at " << x << "," << y;
            }
        }
    }
}

struct OneBar {
    CChartControl chart{CChartControl::kBar3D};
    QImage image;
    int left, right, top;

    OneBar(qint32 value, quint32 colour, int axisMax) {
        chart.SetGrid(true);
        CChartControl::Series series;
        CChartControl::SetPoint(series, 0, value);
        chart.SetPointColour(0, colour);
        chart.AddSeries(series);
        chart.SetAxis(0, axisMax, 10);
        image = Render(chart);
        const int slot = chart.GetPlotWidth();
        const int width = static_cast<int>(slot * 0.8);
        left = slot + chart.GetPlotLeft() - slot / 2 - width / 2;
        right = left + width;
        // The tick of value v stands v / 10 steps above the base line.
        const double scale =
            static_cast<double>(chart.GetPlotHeight() / chart.GetDivisions()) / 10;
        const int height = qMin(static_cast<int>(value * scale), chart.GetPlotHeight());
        top = chart.GetPlotBottom() - height;
    }
};

TEST(ChartControl, OneGroupFillsItsSlotWithABarOfEightTenths) {
    const quint32 colour = 0x406080;
    const OneBar bar(50, colour, 100);
    const int y = bar.chart.GetPlotBottom() - 3;
    EXPECT_EQ(bar.image.pixel(bar.left, y), Rgb(colour));
    EXPECT_EQ(bar.image.pixel(bar.right - 1, y), Rgb(colour));
    EXPECT_NE(bar.image.pixel(bar.left - 1, y), Rgb(colour));
    EXPECT_EQ(bar.image.pixel(bar.right, y), Rgb(CChartControl::DarkerFace(colour)));
    const int middle = (bar.left + bar.right) / 2;
    EXPECT_EQ(bar.image.pixel(middle, bar.top), Rgb(colour));
    EXPECT_EQ(bar.image.pixel(middle, bar.top - 1), Rgb(CChartControl::LighterFace(colour)));
}

// A bar of 50 on an axis of 0 to 100 ends at the tick labelled 50, not a
// few pixels short of it.
TEST(ChartControl, ABarsTopMeetsTheTickOfItsValue) {
    for (const qint32 value : {50, 30, 100}) {
        const OneBar bar(value, 0x406080, 100);
        const int step = bar.chart.GetPlotHeight() / bar.chart.GetDivisions();
        EXPECT_EQ(bar.top, bar.chart.GetPlotBottom() - value / 10 * step) << value;
        const int middle = (bar.left + bar.right) / 2;
        EXPECT_EQ(bar.image.pixel(middle, bar.top), Rgb(0x406080)) << value;
    }
}

TEST(ChartControl, ValueAboveTheAxisStopsAtTheTopOfThePlot) {
    const quint32 colour = 0x00A000;
    const OneBar bar(500, colour, 100);
    const int middle = (bar.left + bar.right) / 2;
    const int top = bar.chart.GetPlotBottom() - bar.chart.GetPlotHeight();
    EXPECT_EQ(bar.top, top);
    EXPECT_EQ(bar.image.pixel(middle, top), Rgb(colour));
    EXPECT_NE(bar.image.pixel(middle, top - 1), Rgb(colour));
}

TEST(ChartControl, DepthFacesAreShadedWithinTheComponentRange) {
    // Red 20, green 240, blue 128.
    const quint32 colour = 20 | (240 << 8) | (128 << 16);
    EXPECT_EQ(CChartControl::DarkerFace(colour), 0u | (205 << 8) | (93 << 16));
    EXPECT_EQ(CChartControl::LighterFace(colour), 55u | (255 << 8) | (163 << 16));
    const OneBar bar(60, colour, 100);
    const int depth = bar.chart.GetDepth();
    ASSERT_GE(depth, 4);
    const QColor side =
        bar.image.pixelColor(bar.right + depth / 2, (bar.top + bar.chart.GetPlotBottom()) / 2);
    EXPECT_EQ(side, QColor(0, 205, 93));
    const QColor lid = bar.image.pixelColor((bar.left + bar.right) / 2, bar.top - depth / 2);
    EXPECT_EQ(lid, QColor(55, 255, 163));
}

// ---- The pages, driven through the window.

struct Spend {
    const char* category;
    double amount;
    int day = 14;  // of March 2026
    qint32 typeCode = CExpenseType::kBusinessReimbursable;
    qint32 paymentType = CPaidWith::kPersonal;
};

TimeStamp March(int day) {
    return Platform::Get().GetClock().FromLocal(QDate(2026, 3, day), QTime(12, 0));
}

class TotalsTest : public FrameFixture {
protected:
    // The frame on a report of exactly these expenses.
    void StartWith(std::initializer_list<Spend> spends, double cashAdvance = 0) {
        MakeReport(QStringLiteral("Trip"), {}, cashAdvance);
        StartFrame();
        for (const Spend& spend : spends) {
            auto record = std::make_unique<CExpenseRecord>();
            CCategory category(QString::fromLatin1(spend.category), 4, 1);
            category.SetExpenseType(CExpenseTypeManager::GetExpenseType(spend.typeCode));
            category.SetPaidWith(
                CPaidWith(QStringLiteral("Card"), QStringLiteral("CARD.BMP"), spend.paymentType));
            record->SetCategory(category);
            record->SetDate(March(spend.day));
            record->SetAmount(Amount(spend.amount));
            record->SetExchangeRate(Amount(1));
            document_->AddRecord(std::move(record), false);
        }
        frame_->RefreshViews();
    }

    // Opens the window with `command`, runs `work` on it, and waits until it
    // has closed.
    void InWindow(const QString& command, std::function<void(CTotalsDialog*)> work) {
        WhenDialogOpens([work = std::move(work)](QDialog* dialog) {
            auto* window = qobject_cast<CTotalsDialog*>(dialog);
            ASSERT_NE(window, nullptr);
            work(window);
            if (window->isVisible()) {
                window->reject();
            }
        });
        ASSERT_TRUE(Choose(command));
    }

    static QToolButton* Button(CommandBar* bar, const QString& text) {
        for (QToolButton* button : bar->findChildren<QToolButton*>()) {
            if (button->accessibleName() == text) {
                return button;
            }
        }
        ADD_FAILURE() << "no button " << text.toStdString();
        return nullptr;
    }

    static QStringList Rows(CLegendList* legend) {
        QStringList rows;
        for (int row = 0; row < legend->rowCount(); ++row) {
            rows << legend->item(row, 0)->text() + QLatin1Char(' ') + legend->item(row, 1)->text();
        }
        return rows;
    }

    static void TapCell(CLegendList* legend, int row, bool checkBox) {
        const QRect cell = legend->visualRect(legend->model()->index(row, 0));
        Tap(legend->viewport(), checkBox ? QPoint(cell.left() + 10, cell.center().y())
                                         : QPoint(cell.right() - 4, cell.center().y()));
    }
};

TEST_F(TotalsTest, TotalsPageShowsTheMoneyPositionOfABusinessCardReport) {
    StartWith({{"Airfare", 1000, 14, CExpenseType::kBusinessReimbursable, CPaidWith::kBusiness}},
              200);
    InWindow(QStringLiteral("Totals..."), [](CTotalsDialog* window) {
        CPageTotals* page = window->TotalsPage();
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->FigureText(QStringLiteral("Total Expenses:")), "$1,000.00");
        EXPECT_EQ(page->FigureText(QStringLiteral("Business Paid:")), "$1,200.00");
        EXPECT_EQ(page->FigureText(QStringLiteral("Cash Advanced:")), "$200.00");
        EXPECT_EQ(page->FigureText(QStringLiteral("Bus. Credit Card:")), "$1,000.00");
        EXPECT_EQ(page->FigureText(QStringLiteral("Personal (Non-Reimb):")), "$0.00");
        EXPECT_EQ(page->FigureText(QStringLiteral("Reimbursement Due:")), "($200.00)");
        Tap(Button(page->Commands(), QStringLiteral("Done")));
        EXPECT_FALSE(window->isVisible());
    });
    EXPECT_EQ(document_->GetPreferences().GetSubtotals(), 0);
}

TEST_F(TotalsTest, TheTotalTapOpensThePageLastOpenedAndThePagesSwap) {
    StartWith({{"Lunch", 50, 14, CExpenseType::kBusinessReimbursable, CPaidWith::kPersonal},
               {"Gift", 20, 14, CExpenseType::kPersonalDeductible, CPaidWith::kBusiness}});
    WhenDialogOpens([](QDialog* dialog) {
        auto* window = qobject_cast<CTotalsDialog*>(dialog);
        CPageTotals* totals = window->TotalsPage();
        ASSERT_NE(totals, nullptr);
        EXPECT_EQ(totals->FigureText(QStringLiteral("Reimbursement Due:")), "$30.00");
        EXPECT_EQ(totals->FigureText(QStringLiteral("Personal (Non-Reimb):")), "$20.00");
        EXPECT_EQ(totals->FigureText(QStringLiteral("Deductible:")), "$20.00");
        Tap(Button(totals->Commands(), QStringLiteral("Subtotals")));
        ASSERT_NE(window->SubtotalsPage(), nullptr);
        EXPECT_EQ(window->TitleLabel()->text(), QStringLiteral("Subtotals"));
        Tap(Button(window->SubtotalsPage()->Commands(), QStringLiteral("Done")));
    });
    Tap(frame_->Status()->Total());
    EXPECT_EQ(document_->GetPreferences().GetSubtotals(), 1);
    WhenDialogOpens([](QDialog* dialog) {
        auto* window = qobject_cast<CTotalsDialog*>(dialog);
        ASSERT_NE(window->SubtotalsPage(), nullptr);
        Tap(Button(window->SubtotalsPage()->Commands(), QStringLiteral("Totals")));
        ASSERT_NE(window->TotalsPage(), nullptr);
        Tap(Button(window->TotalsPage()->Commands(), QStringLiteral("Done")));
    });
    Tap(frame_->Status()->Total());
    EXPECT_EQ(document_->GetPreferences().GetSubtotals(), 0);
}

TEST_F(TotalsTest, UntickingAGroupTakesItOutOfTheTotalAndTheChart) {
    StartWith({{"Lunch", 10.00}, {"Dinner", 7.00}, {"Lunch", 5.50}});
    InWindow(QStringLiteral("Subtotals..."), [](CTotalsDialog* window) {
        CPageSubtotals* page = window->SubtotalsPage();
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->SubtotalBy()->currentText(), QStringLiteral("Category"));
        EXPECT_EQ(page->DateRange()->currentText(), QStringLiteral("All Dates"));
        EXPECT_EQ(Rows(page->Legend()), QStringList({"Lunch $15.50", "Dinner $7.00"}));
        EXPECT_EQ(page->Total()->text(), QStringLiteral("Total: $22.50"));
        EXPECT_EQ(page->Graph()->Chart()->GetAxisMax(), 20);

        TapCell(page->Legend(), 1, true);
        EXPECT_FALSE(page->Graph()->Items()[1].shown);
        EXPECT_EQ(page->Total()->text(), QStringLiteral("Total: $15.50"));
        EXPECT_EQ(page->Legend()->rowCount(), 2);
        // Only Lunch is drawn now, as wide as the whole plot allows.
        QImage image(page->Graph()->size(), QImage::Format_RGB32);
        page->Graph()->render(&image);
        const CChartControl* chart = page->Graph()->Chart();
        const int row = chart->GetPlotBottom() - 3;
        const int middle = chart->GetPlotLeft() + chart->GetPlotWidth() / 2;
        EXPECT_EQ(image.pixel(middle, row), Rgb(page->Graph()->Items()[0].colour));
        EXPECT_TRUE(window->isVisible());
    });
}

TEST_F(TotalsTest, LargerSumsDrawTallerBars) {
    StartWith({{"Hotel", 150.00}, {"Flight", 160.00}});
    InWindow(QStringLiteral("Subtotals..."), [](CTotalsDialog* window) {
        CGraphView* graph = window->SubtotalsPage()->Graph();
        QImage image(graph->size(), QImage::Format_RGB32);
        graph->render(&image);
        const CChartControl* chart = graph->Chart();
        const int slot = chart->GetPlotWidth();
        const int width = static_cast<int>(slot * 0.8 / 2);
        const int first = slot + chart->GetPlotLeft() - slot / 2 - (2 * width) / 2;
        QList<int> tops;
        for (int bar = 0; bar < 2; ++bar) {
            const int x = first + bar * width + 2;
            const QRgb colour = Rgb(graph->Items()[bar].colour);
            int y = chart->GetPlotBottom() - 1;
            while (y > 0 && image.pixel(x, y - 1) == colour) {
                --y;
            }
            tops << y;
        }
        // Sums over 150 are drawn at their own height, not 20 lower: 10 more
        // on an axis up to 200.
        ASSERT_EQ(chart->GetAxisMax(), 200);
        EXPECT_NEAR(tops[0] - tops[1], 10 * (chart->GetPlotHeight() - 10) / 200.0, 1.0);
    });
}

TEST_F(TotalsTest, DateRangeDialogLimitsTheGroupsToTheDaysBetween) {
    StartWith({{"Lunch", 1, 1}, {"Lunch", 2, 2}, {"Lunch", 4, 30}, {"Dinner", 8, 31}});
    InWindow(QStringLiteral("Subtotals..."), [this](CTotalsDialog* window) {
        CPageSubtotals* page = window->SubtotalsPage();
        WhenDialogOpens([](QDialog* dialog) {
            auto* range = qobject_cast<CDateRangeDialog*>(dialog);
            ASSERT_NE(range, nullptr);
            EXPECT_TRUE(range->AllDates()->isChecked());
            EXPECT_FALSE(range->From()->isEnabled());
            Tap(range->IncludeDates());
            EXPECT_TRUE(range->From()->isEnabled());
            range->From()->setDate(QDate(2026, 3, 1));
            range->To()->setDate(QDate(2026, 3, 31));
            Tap(range->OkButton());
        });
        Tap(page->DateRange());
        EXPECT_EQ(page->DateRange()->currentText(), QStringLiteral("3/1/2026 - 3/31/2026"));
        EXPECT_EQ(Rows(page->Legend()), QStringList({"Lunch $6.00"}));
        EXPECT_EQ(page->Total()->text(), QStringLiteral("Total: $6.00"));
        Tap(Button(page->Commands(), QStringLiteral("Done")));
    });
    CPreferences& preferences = document_->GetPreferences();
    EXPECT_FALSE(preferences.GetSubtotalAllDates());
    EXPECT_EQ(Platform::Get().GetClock().ToLocal(preferences.GetSubtotalTo()).date(),
              QDate(2026, 3, 31));
    // "Done" leaves no selection behind.
    EXPECT_FALSE(document_->GetRecords().GetQuery().IsActive());
}

TEST_F(TotalsTest, DateRangeDialogRefusesADayAFileCannotHold) {
    StartWith({{"Lunch", 1, 1}});
    const TimeStamp from = document_->GetPreferences().GetSubtotalFrom();
    InWindow(QStringLiteral("Subtotals..."), [this](CTotalsDialog* window) {
        CPageSubtotals* page = window->SubtotalsPage();
        WhenDialogOpens([this](QDialog* dialog) {
            auto* range = qobject_cast<CDateRangeDialog*>(dialog);
            ASSERT_NE(range, nullptr);
            Tap(range->IncludeDates());
            TypeDate(range->From(), QStringLiteral("1/1/1970"));
            Tap(range->OkButton());
            QCoreApplication::processEvents();
            EXPECT_EQ(
                Messages(),
                QStringList(QStringLiteral("A date must be a day from 1/2/1970 to 2/5/2106.")));
            EXPECT_TRUE(range->isVisible());
            EXPECT_EQ(range->From()->date(), QDate(1970, 1, 1));
            range->reject();
        });
        Tap(page->DateRange());
        Tap(Button(page->Commands(), QStringLiteral("Done")));
    });
    EXPECT_EQ(document_->GetPreferences().GetSubtotalFrom(), from);
}

TEST_F(TotalsTest, TappingAGroupSelectsItsExpensesWithinTheRange) {
    StartWith({{"Lunch", 1, 1}, {"Lunch", 2, 2}, {"Dinner", 4, 3}, {"Lunch", 8, 31}});
    CPreferences& preferences = document_->GetPreferences();
    preferences.SetSubtotalAllDates(false);
    preferences.SetSubtotalFrom(March(1));
    preferences.SetSubtotalTo(March(31));
    InWindow(QStringLiteral("Subtotals..."), [](CTotalsDialog* window) {
        CLegendList* legend = window->SubtotalsPage()->Legend();
        ASSERT_EQ(Rows(legend), QStringList({"Lunch $2.00", "Dinner $4.00"}));
        TapCell(legend, 0, false);
        EXPECT_FALSE(window->isVisible());
    });
    const CExpenseRecords& records = document_->GetRecords();
    ASSERT_TRUE(records.GetQuery().IsActive());
    ASSERT_EQ(records.GetCount(true), 1);
    EXPECT_EQ(records.GetAt(0, true)->GetAmount(false).GetValue(), 2);
    EXPECT_EQ(frame_->Status()->ItemCount()->text(), QStringLiteral("1 of 4 items"));
}

TEST_F(TotalsTest, ClosingTheWindowOtherwiseThanByATapLeavesNoSelection) {
    StartWith({{"Lunch", 1, 1}, {"Lunch", 2, 2}});
    CPreferences& preferences = document_->GetPreferences();
    preferences.SetSubtotalAllDates(false);
    preferences.SetSubtotalFrom(March(1));
    preferences.SetSubtotalTo(March(31));
    InWindow(QStringLiteral("Subtotals..."), [this](CTotalsDialog* window) {
        EXPECT_TRUE(document_->GetRecords().GetQuery().IsActive());
        window->reject();
    });
    EXPECT_FALSE(document_->GetRecords().GetQuery().IsActive());
    EXPECT_EQ(frame_->Status()->ItemCount()->text(), QStringLiteral("2 items"));
}

TEST_F(TotalsTest, GroupingAndGraphChoicesAreRemembered) {
    StartWith({{"Lunch", 1}, {"Dinner", 2}});
    InWindow(QStringLiteral("Subtotals..."), [](CTotalsDialog* window) {
        CPageSubtotals* page = window->SubtotalsPage();
        EXPECT_EQ(page->SubtotalBy()->itemText(1), QStringLiteral("Custom Class"));
        page->SubtotalBy()->setCurrentIndex(4);
        EXPECT_EQ(Rows(page->Legend()), QStringList({"No Receipt $3.00"}));
        ASSERT_TRUE(page->Graph()->isVisible());
        const int legendHeight = page->Legend()->height();
        Tap(page->GraphButton());
        QApplication::processEvents();
        EXPECT_FALSE(page->Graph()->isVisible());
        EXPECT_GT(page->Legend()->height(), legendHeight);
    });
    CPreferences& preferences = document_->GetPreferences();
    EXPECT_EQ(preferences.GetSubtotalBy(), 4);
    EXPECT_FALSE(preferences.GetShowGraph());
    InWindow(QStringLiteral("Subtotals..."), [](CTotalsDialog* window) {
        CPageSubtotals* page = window->SubtotalsPage();
        EXPECT_EQ(page->SubtotalBy()->currentText(), QStringLiteral("Receipt"));
        EXPECT_FALSE(page->Graph()->isVisibleTo(page));
    });
}

TEST_F(TotalsTest, AnEmptyReportShowsAnEmptyAxisForTheScreen) {
    StartWith({});
    for (const auto& [size, maximum] :
         {std::pair(QSize(240, 320), 100), std::pair(QSize(320, 240), 50)}) {
        frame_->resize(size);
        InWindow(QStringLiteral("Subtotals..."), [maximum](CTotalsDialog* window) {
            CPageSubtotals* page = window->SubtotalsPage();
            EXPECT_EQ(page->Legend()->rowCount(), 0);
            EXPECT_EQ(page->Total()->text(), QStringLiteral("Total: $0.00"));
            EXPECT_EQ(page->Graph()->Chart()->GetType(), CChartControl::kNoType);
            EXPECT_EQ(page->Graph()->Chart()->GetAxisMax(), maximum);
        });
    }
}

}  // namespace
