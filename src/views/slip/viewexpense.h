#pragma once

#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class CCategory;
class CExpenseDoc;
class CSimpleList;
class CategoryButton;
class QMenu;

// The main screen: twelve category buttons, one for each category group,
// above the simple list of the report's expenses. A tap on a button starts
// an expense of its category; its pop-up list offers the other categories
// of the group. The meal button follows the hour.
class CViewExpense : public QWidget {
    Q_OBJECT

public:
    static constexpr int kButtonCount = 12;
    static constexpr int kTimerMs = 600000;

    using AddFunction = std::function<void(const CCategory& category)>;
    using EditFunction = std::function<void(int visibleIndex)>;

    CViewExpense(CExpenseDoc& document, QWidget* parent);
    ~CViewExpense() override;

    void SetAdd(AddFunction add) { add_ = std::move(add); }
    void SetEdit(EditFunction edit);
    // Opens the category list editor from a pop-up list.
    void SetModifyCategories(std::function<void()> modify) { modify_ = std::move(modify); }

    // Reads the records again into the simple list.
    void ReloadList();
    bool IsListVisible() const;
    // Shows the simple list and lays the buttons out around it.
    void ShowList();
    // Gives every button the category its group shows now.
    void RefreshButtons();
    // The list at the bottom in whole rows, the buttons in three rows of four
    // above it; the list is hidden when not even its heading fits.
    void LayoutMainScreen();

    CategoryButton* Button(int group) const;  // group 1 to 12
    CSimpleList* SimpleList() const { return list_.get(); }
    QTimer* MealTimer() { return &timer_; }
    // The pop-up list of a group's button, for a look at it.
    QMenu* MakePopUp(int group);
    // The category a group's button stands for now; null when the list has
    // none of that group.
    const CCategory* CategoryOfGroup(int group) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Tap(int group);
    void PopUp(int group);

    CExpenseDoc& document_;  // not owned
    std::array<CategoryButton*, kButtonCount> buttons_{};
    std::unique_ptr<CSimpleList> list_;  // its grid is a child of this view
    QTimer timer_;
    QString meal_;
    bool listWanted_ = true;
    AddFunction add_;
    std::function<void()> modify_;
};
