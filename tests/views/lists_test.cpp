#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTest>

#include "framefixture.h"
#include "lists/category.h"
#include "platform/directories.h"
#include "report/expenserecord.h"
#include "report/expenserecords.h"
#include "report/report.h"
#include "views/frame/statusbar.h"
#include "views/grid/gridviewdetails.h"
#include "views/grid/listgrid.h"
#include "views/grid/simplelist.h"
#include "views/slip/categorybutton.h"
#include "views/slip/viewexpense.h"

namespace {

const QColor kYellow(255, 255, 0);
const QColor kGreen(0, 255, 0);

class ListsTest : public FrameFixture {
protected:
    // Taps edit nothing here; they are counted instead.
    void StartCounting() {
        StartFrame();
        frame_->SetSlipRunner([this](CExpenseRecord& record, bool, int&) {
            edited_.append(record.GetDescription());
            return CMainFrame::SlipResult::Cancel;
        });
    }
    CListGrid* Details() {
        if (!frame_->IsDetailsActive()) {
            EXPECT_TRUE(Choose(QStringLiteral("Detailed List")));
        }
        QApplication::processEvents();
        return frame_->DetailsView()->Grid();
    }
    CListGrid* Simple() {
        if (frame_->IsDetailsActive()) {
            EXPECT_TRUE(Choose(QStringLiteral("Simple List")));
        }
        QApplication::processEvents();
        return frame_->MainView()->SimpleList()->Grid();
    }
    static void TapCell(CListGrid* grid, int column, int row, QPoint offset = QPoint(-1, -1)) {
        grid->EnsureVisible(row);
        const QRect cell = grid->CellRect(column, row);
        Tap(grid->viewport(), offset == QPoint(-1, -1) ? cell.center() : cell.topLeft() + offset);
    }
    static void TapHeading(CListGrid* grid, int column, int headerRow) {
        Tap(grid->viewport(), grid->HeaderCellRect(column, headerRow).center());
    }
    // The first-line texts of a column, top to bottom.
    static QStringList Column(CListGrid* grid, int column) {
        QStringList texts;
        for (int row = 0; row < grid->RowCount(); row += grid->RowsPerItem()) {
            texts.append(grid->CellText(column, row));
        }
        return texts;
    }

    QStringList edited_;
};

TEST_F(ListsTest, BothListsShowTheVisibleExpenses) {
    MakeReport(QStringLiteral("Trip"), {12.5, 3});
    StartCounting();
    CListGrid* simple = Simple();
    EXPECT_EQ(simple->RowCount(), 2);
    EXPECT_EQ(simple->Heading(2, 0), QStringLiteral("Description"));
    EXPECT_EQ(simple->CellText(0, 0), QStringLiteral("3/14"));
    EXPECT_EQ(simple->CellText(1, 0), QStringLiteral("Lunch"));
    EXPECT_EQ(simple->CellText(2, 0), QStringLiteral("Expense 1"));
    EXPECT_EQ(simple->CellText(3, 0), QStringLiteral("$12.50"));
    CListGrid* details = Details();
    EXPECT_EQ(details->RowCount(), 4);
    EXPECT_EQ(details->Heading(0, 1), QStringLiteral("Rcpt"));
    EXPECT_EQ(details->Heading(2, 1), QStringLiteral("Paid With"));
    EXPECT_EQ(details->CellText(2, 1), QStringLiteral("Cash"));
    EXPECT_TRUE(details->CellFormat(0, 1).checkBox);
    // One expense is one block: no line between its two rows.
    EXPECT_FALSE(details->CellFormat(2, 0).borders & GridCellFormat::kBottom);
    EXPECT_FALSE(details->CellFormat(2, 1).borders & GridCellFormat::kTop);
}

TEST_F(ListsTest, HeadingTapsSortAndColourTheSharedKey) {
    MakeReport(QStringLiteral("Trip"), {30, 10, 20});
    StartCounting();
    CListGrid* details = Details();
    TapHeading(details, 3, 0);
    EXPECT_EQ(CExpenseRecords::GetSortField(), 3);
    const QStringList first = Column(details, 3);
    const QColor firstColour = details->HeaderCellFormat(3, 0).background;
    TapHeading(details, 3, 0);
    QStringList reversed = first;
    std::reverse(reversed.begin(), reversed.end());
    EXPECT_EQ(Column(details, 3), reversed);
    const QColor secondColour = details->HeaderCellFormat(3, 0).background;
    EXPECT_NE(firstColour, secondColour);
    EXPECT_TRUE((firstColour == kYellow && secondColour == kGreen) ||
                (firstColour == kGreen && secondColour == kYellow));
    EXPECT_EQ(details->HeaderCellFormat(2, 0).background, details->HeaderFormat().background);

    // "Paid With" is the second heading row's key 6; "Date" in the simple
    // list then takes over for both lists.
    TapHeading(details, 2, 1);
    EXPECT_EQ(CExpenseRecords::GetSortField(), 6);
    EXPECT_NE(details->HeaderCellFormat(2, 1).background, details->HeaderFormat().background);
    CListGrid* simple = Simple();
    TapHeading(simple, 0, 0);
    EXPECT_EQ(CExpenseRecords::GetSortField(), 0);
    EXPECT_NE(simple->HeaderCellFormat(0, 0).background, simple->HeaderFormat().background);
    details = Details();
    EXPECT_NE(details->HeaderCellFormat(0, 0).background, details->HeaderFormat().background);
    EXPECT_EQ(details->HeaderCellFormat(2, 1).background, details->HeaderFormat().background);
    EXPECT_TRUE(edited_.isEmpty());
}

TEST_F(ListsTest, TheReceiptBoxFlipsAndSavesWhileBesideItEdits) {
    const QString path = MakeReport(QStringLiteral("Trip"), {10});
    StartCounting();
    CListGrid* details = Details();
    const QRect cell = details->CellRect(0, 1);
    const QRect box = CListGrid::CheckBoxRect(cell);
    // Inside, at the box's far corner: the flag flips and the file keeps it.
    TapCell(details, 0, 1, box.bottomRight() - cell.topLeft());
    EXPECT_TRUE(details->CellFormat(0, 1).checked);
    CExpenseReport stored;
    stored.GetCurrencyTable().Load(false);
    ASSERT_TRUE(stored.Open(path, false));
    EXPECT_TRUE(stored.GetRecords().GetAt(0, false)->GetReceipt());
    EXPECT_TRUE(edited_.isEmpty());
    // One pixel to the right of the box opens the expense instead.
    TapCell(details, 0, 1, QPoint(box.right() + 1, box.center().y()) - cell.topLeft());
    EXPECT_EQ(edited_, QStringList(QStringLiteral("Expense 1")));
    EXPECT_TRUE(details->CellFormat(0, 1).checked);
}

TEST_F(ListsTest, AForeignAmountShowsItsHomeValueAndAHomeAmountOpens) {
    MakeReport(QStringLiteral("Trip"), {10});
    StartCounting();
    auto foreign = std::make_unique<CExpenseRecord>(*document_->GetRecords().GetAt(0, false));
    foreign->SetCurrencyName(QStringLiteral("Euro"));
    foreign->SetAmount(Amount(100));
    foreign->SetExchangeRate(Amount(0.8));
    foreign->SetDescription(QStringLiteral("Abroad"));
    document_->AddRecord(std::move(foreign), true);
    frame_->RefreshViews();
    CListGrid* simple = Simple();
    int abroad = simple->CellText(2, 0) == QStringLiteral("Abroad") ? 0 : 1;
    TapCell(simple, 3, abroad);
    EXPECT_TRUE(simple->Tip()->isVisible());
    EXPECT_EQ(simple->Tip()->text(), QStringLiteral("$125.00"));
    EXPECT_TRUE(edited_.isEmpty());
    TapCell(simple, 3, 1 - abroad);
    EXPECT_FALSE(simple->Tip()->isVisible());
    EXPECT_EQ(edited_, QStringList(QStringLiteral("Expense 1")));
}

TEST_F(ListsTest, ASelectionStaysOnTheLastExpenseAfterTheLastOnesGo) {
    MakeReport(QStringLiteral("Trip"), {1, 2, 3, 4});
    StartCounting();
    CListGrid* details = Details();
    details->SetSelectedRow(7);
    document_->RemoveRecord(3);
    document_->RemoveRecord(2);
    frame_->RefreshViews();
    EXPECT_EQ(details->SelectedRow(), 2);
    // Its two rows are drawn in the highlight colours.
    EXPECT_EQ(details->CellFormat(1, 2).background,
              frame_->DetailsView()->palette().color(QPalette::Highlight));
    EXPECT_EQ(details->CellFormat(1, 3).background,
              frame_->DetailsView()->palette().color(QPalette::Highlight));
}

TEST_F(ListsTest, APenThatSlidesOffActsOnNothingAndAnEmptyReportIgnoresTaps) {
    MakeReport(QStringLiteral("Trip"), {1, 2});
    StartCounting();
    CListGrid* simple = Simple();
    const QRect from = simple->CellRect(2, 0);
    const QRect to = simple->CellRect(2, 1);
    QTest::mousePress(simple->viewport(), Qt::LeftButton, Qt::NoModifier, from.center());
    QTest::mouseRelease(simple->viewport(), Qt::LeftButton, Qt::NoModifier, to.center());
    EXPECT_TRUE(edited_.isEmpty());

    MakeReport(QStringLiteral("Empty"), {});
    ASSERT_TRUE(document_->OpenReport(GetReportsDirectory() + QStringLiteral("/Empty.xpf")));
    frame_->RefreshViews();
    EXPECT_EQ(simple->RowCount(), 0);
    Tap(simple->viewport(), QPoint(simple->viewport()->width() / 2, 40));
    EXPECT_TRUE(edited_.isEmpty());
}

TEST_F(ListsTest, KeysMoveTheSelectionAndEnterOpens) {
    MakeReport(QStringLiteral("Trip"), {1, 2, 3});
    StartCounting();
    CListGrid* details = Details();
    details->setFocus();
    QTest::keyClick(details, Qt::Key_Down);
    QTest::keyClick(details, Qt::Key_Down);
    EXPECT_EQ(details->SelectedRow(), 2);
    QTest::keyClick(details, Qt::Key_End);
    EXPECT_EQ(details->SelectedRow(), 5);
    QTest::keyClick(details, Qt::Key_Return);
    EXPECT_EQ(edited_.size(), 1);
}

TEST_F(ListsTest, AScreenReaderReadsTheListAsATableAndPressesItsCells) {
    MakeReport(QStringLiteral("Trip"), {30, 10});
    StartCounting();
    CListGrid* details = Details();
    QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(details);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->role(), QAccessible::Table);
    QAccessibleTableInterface* table = grid->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 4);
    EXPECT_EQ(table->columnCount(), 4);
    EXPECT_EQ(table->columnDescription(3), QStringLiteral("Amount / Exp Type"));
    EXPECT_EQ(table->cellAt(0, 2)->text(QAccessible::Name), details->CellText(2, 0));
    EXPECT_EQ(table->cellAt(1, 2)->text(QAccessible::Name), QStringLiteral("Cash"));

    // The "Amount" heading is the fourth child; pressing it sorts.
    QAccessibleInterface* amount = grid->child(3);
    EXPECT_EQ(amount->role(), QAccessible::ColumnHeader);
    EXPECT_EQ(amount->text(QAccessible::Name), QStringLiteral("Amount"));
    amount->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(CExpenseRecords::GetSortField(), 3);

    // The receipt box is a check box a press ticks.
    QAccessibleInterface* receipt = table->cellAt(1, 0);
    EXPECT_EQ(receipt->role(), QAccessible::CheckBox);
    EXPECT_EQ(receipt->text(QAccessible::Name), QStringLiteral("not checked"));
    receipt->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(receipt->text(QAccessible::Name), QStringLiteral("checked"));
    EXPECT_TRUE(receipt->state().checked);
    EXPECT_TRUE(edited_.isEmpty());
    // Pressing a description opens its expense.
    table->cellAt(2, 2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(edited_.size(), 1);
    EXPECT_TRUE(table->isRowSelected(2));
}

using MainScreenTest = FrameFixture;

TEST_F(MainScreenTest, TheMealButtonFollowsTheHour) {
    // kTestNow is 15:09 in the tests' time zone, UTC-5.
    const struct {
        int hour;
        int minute;
        const char* meal;
    } cases[] = {{7, 0, "Breakfast"}, {12, 0, "Lunch"}, {23, 30, "Dinner"}, {3, 0, "Snacks"}};
    StartFrame();
    CViewExpense* screen = frame_->MainView();
    EXPECT_EQ(screen->MealTimer()->interval(), 600000);
    // The timer fires at once from here on, as if ten minutes went by.
    screen->MealTimer()->setInterval(1);
    for (const auto& c : cases) {
        const QDateTime local(QDate(2026, 3, 14), QTime(c.hour, c.minute), TestTimeZone());
        platform_.Clock().Set(local.toSecsSinceEpoch());
        QTest::qWait(20);
        EXPECT_EQ(screen->Button(CCategory::kMealsGroup)->text(), QString::fromLatin1(c.meal))
            << c.hour << ":" << c.minute;
    }
}

TEST_F(MainScreenTest, APickFromAGroupsListIsItsButtonAfterARestart) {
    MakeReport(QStringLiteral("Trip"), {});
    StartFrame();
    QStringList added;
    frame_->SetSlipRunner([&](CExpenseRecord& record, bool, int&) {
        added.append(record.GetCategory().GetName());
        return CMainFrame::SlipResult::Cancel;
    });
    CViewExpense* screen = frame_->MainView();
    EXPECT_EQ(screen->Button(CCategory::kFuelGroup)->text(), QStringLiteral("Fuel"));
    QMenu* menu = screen->MakePopUp(CCategory::kFuelGroup);
    QStringList entries;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            entries.append(action->text());
        }
    }
    EXPECT_EQ(entries, QStringList({QStringLiteral("Fuel"), QStringLiteral("Mileage"),
                                    QStringLiteral("Modify...")}));
    menu->actions()[1]->trigger();
    EXPECT_EQ(added, QStringList(QStringLiteral("Mileage")));
    EXPECT_EQ(screen->Button(CCategory::kFuelGroup)->text(), QStringLiteral("Mileage"));
    delete menu;

    // A new window on the same settings: the group remembers.
    frame_.reset();
    document_.reset();
    StartFrame();
    EXPECT_EQ(frame_->MainView()->Button(CCategory::kFuelGroup)->text(),
              QStringLiteral("Mileage"));
    // A tap on a button starts an expense of its category.
    frame_->SetSlipRunner([&](CExpenseRecord& record, bool, int&) {
        added.append(record.GetCategory().GetName());
        return CMainFrame::SlipResult::Cancel;
    });
    Tap(frame_->MainView()->Button(CCategory::kFuelGroup));
    EXPECT_EQ(added.last(), QStringLiteral("Mileage"));
}

TEST_F(MainScreenTest, TheListTakesWholeRowsBelowTheButtonsOrHides) {
    MakeReport(QStringLiteral("Trip"), {1, 2, 3});
    StartFrame();
    CViewExpense* screen = frame_->MainView();
    CListGrid* list = screen->SimpleList()->Grid();
    ASSERT_TRUE(list->isVisible());
    const int body = list->viewport()->height() - 20;
    EXPECT_EQ(body % list->BodyRowHeight(), 0);
    EXPECT_GE(list->geometry().top() - 4, 3 * CategoryButton::NeededHeight());
    EXPECT_LE(screen->Button(12)->geometry().bottom(), list->geometry().top());
    // Too low for the heading next to the buttons' rows: the list hides.
    frame_->resize(320, 240);
    QApplication::processEvents();
    EXPECT_FALSE(list->isVisible());
    EXPECT_GE(screen->Button(12)->geometry().bottom(), screen->height() - 4);
}

}  // namespace
