#include "views/slip/viewexpense.h"

#include <QMenu>
#include <algorithm>

#include "lists/categoryex.h"
#include "lists/categoryexmanager.h"
#include "report/expensedoc.h"
#include "views/grid/simplelist.h"
#include "views/slip/categorybutton.h"
#include "views/widgets/appfont.h"
#include "views/widgets/insertentry.h"

namespace {

constexpr int kColumns = 4;
constexpr int kRows = 3;
constexpr int kGapAboveList = 4;

}  // namespace

CViewExpense::CViewExpense(CExpenseDoc& document, QWidget* parent)
    : QWidget(parent), document_(document), list_(std::make_unique<CSimpleList>(document, this)) {
    setObjectName(QStringLiteral("Main"));
    setAccessibleName(QStringLiteral("Main screen"));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kLightYellow);
    setPalette(colours);
    for (int group = 1; group <= kButtonCount; ++group) {
        auto* button = new CategoryButton(this);
        buttons_[static_cast<size_t>(group - 1)] = button;
        connect(button, &QAbstractButton::clicked, this, [this, group] { Tap(group); });
        connect(button, &CategoryButton::popUpRequested, this, [this, group] { PopUp(group); });
    }
    timer_.setObjectName(QStringLiteral("MealTimer"));
    timer_.setInterval(kTimerMs);
    connect(&timer_, &QTimer::timeout, this, [this] {
        const CCategory* meal = CategoryOfGroup(CCategory::kMealsGroup);
        if (meal != nullptr && meal->GetName() != meal_) {
            RefreshButtons();
        }
    });
    timer_.start();
    RefreshButtons();
}

CViewExpense::~CViewExpense() = default;

void CViewExpense::SetEdit(EditFunction edit) {
    list_->SetEdit(std::move(edit));
}

CategoryButton* CViewExpense::Button(int group) const {
    return group >= 1 && group <= kButtonCount ? buttons_[static_cast<size_t>(group - 1)]
                                               : nullptr;
}

const CCategory* CViewExpense::CategoryOfGroup(int group) const {
    return document_.GetCategories().GetButtonCategory(group);
}

void CViewExpense::RefreshButtons() {
    for (int group = 1; group <= kButtonCount; ++group) {
        CategoryButton* button = Button(group);
        const CCategory* category = CategoryOfGroup(group);
        button->setEnabled(category != nullptr);
        if (category != nullptr) {
            button->SetCategory(*category);
        }
    }
    const CCategory* meal = CategoryOfGroup(CCategory::kMealsGroup);
    meal_ = meal != nullptr ? meal->GetName() : QString();
}

void CViewExpense::Tap(int group) {
    const CCategory* category = CategoryOfGroup(group);
    if (category != nullptr && add_) {
        add_(*category);
    }
}

QMenu* CViewExpense::MakePopUp(int group) {
    auto* menu = new QMenu(this);
    menu->setFont(AppFont());
    QList<const CCategoryEx*> members;
    for (const CCategoryEx& category : document_.GetCategories()) {
        if (category.GetGroup() == group) {
            members.append(&category);
        }
    }
    std::sort(members.begin(), members.end(), [](const CCategoryEx* a, const CCategoryEx* b) {
        return a->GetName().compare(b->GetName(), Qt::CaseInsensitive) < 0;
    });
    for (const CCategoryEx* member : members) {
        const QString name = member->GetName();
        menu->addAction(name, this, [this, name] {
            const CCategoryEx* picked = document_.GetCategories().Find(name);
            if (picked == nullptr) {
                return;
            }
            picked->RememberGroupChoice();
            RefreshButtons();
            if (add_) {
                add_(*picked);
            }
        });
    }
    menu->addSeparator();
    QAction* modify = menu->addAction(ModifyEntryText());
    modify->setEnabled(static_cast<bool>(modify_));
    connect(modify, &QAction::triggered, this, [this] {
        if (modify_) {
            modify_();
        }
    });
    return menu;
}

void CViewExpense::PopUp(int group) {
    QMenu* menu = MakePopUp(group);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    CategoryButton* button = Button(group);
    menu->popup(button->mapToGlobal(QPoint(0, button->height())));
}

void CViewExpense::ReloadList() {
    list_->ReloadSimple();
}

bool CViewExpense::IsListVisible() const {
    // Wanted is not shown: a screen too low for a row of it hides the list.
    return listWanted_ && list_->Grid()->isVisibleTo(this);
}

void CViewExpense::ShowList() {
    listWanted_ = true;
    LayoutMainScreen();
}

void CViewExpense::LayoutMainScreen() {
    const int rowNeed = CategoryButton::NeededHeight();
    const int buttonsNeed = kRows * rowNeed + kGapAboveList;
    int listHeight = 0;
    if (listWanted_) {
        // Whole rows of the list below the buttons' least height.
        const int spare = height() - buttonsNeed;
        const int rows = (spare - list_->HeightForRows(0)) / list_->Grid()->BodyRowHeight();
        if (rows >= 0) {
            listHeight = list_->HeightForRows(rows);
        }
    }
    CListGrid* grid = list_->Grid();
    grid->setVisible(listHeight > 0);
    if (listHeight > 0) {
        grid->setGeometry(0, height() - listHeight, width(), listHeight);
    }
    const int area = listHeight > 0 ? height() - listHeight - kGapAboveList : height();
    const int cellWidth = width() / kColumns;
    const int cellHeight = area / kRows;
    for (int i = 0; i < kButtonCount; ++i) {
        const int row = i / kColumns;
        const int column = i % kColumns;
        buttons_[static_cast<size_t>(i)]->setGeometry(column * cellWidth + 1, row * cellHeight + 1,
                                                      cellWidth - 2, cellHeight - 2);
    }
}

void CViewExpense::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayoutMainScreen();
}

void CViewExpense::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    LayoutMainScreen();
}
