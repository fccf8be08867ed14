#include "views/widgets/commandbar.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QToolButton>

#include "views/widgets/appfont.h"
#include "views/widgets/popupkeeper.h"

namespace {

constexpr int kBarHeight = 26;
constexpr int kTightPadding = 6;

}  // namespace

CommandBar::CommandBar(QWidget* parent) : QWidget(parent), layout_(new QHBoxLayout(this)) {
    layout_->setContentsMargins(2, 1, 2, 1);
    layout_->setSpacing(2);
    setFixedHeight(kBarHeight);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(222, 222, 222));
    setPalette(colours);
    setAccessibleName(QStringLiteral("Command bar"));
}

QToolButton* CommandBar::MakeButton(const QString& text) {
    auto* button = new QToolButton(this);
    button->setText(text);
    button->setAccessibleName(text);
    button->setFont(AppFont());
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setFixedHeight(kBarHeight - 2);
    layout_->addWidget(button);
    return button;
}

QToolButton* CommandBar::AddMenu(const QString& text, QMenu* menu) {
    QToolButton* button = MakeButton(text);
    menu->setFont(AppFont());
    connect(button, &QToolButton::clicked, menu, [button, menu] {
        // aboutToShow lets the owner set each command's state first, so the
        // size asked for below is the one shown.
        menu->popup(MenuPosition(button, menu));
    });
    return button;
}

QToolButton* CommandBar::AddAction(QAction* action) {
    QToolButton* button = MakeButton(action->text());
    button->setDefaultAction(action);
    button->setAccessibleName(action->text());
    return button;
}

QToolButton* CommandBar::AddButton(const QString& text) {
    return MakeButton(text);
}

void CommandBar::LetShrink(QToolButton* button) {
    button->setMinimumWidth(button->fontMetrics().horizontalAdvance(button->text()) +
                            kTightPadding);
}

void CommandBar::AddStretch() {
    layout_->addStretch(1);
}

QPoint CommandBar::MenuPosition(const QWidget* button, const QMenu* menu) {
    const QSize size = menu->sizeHint();
    return PopUpKeeper::Inside(button, button->mapToGlobal(QPoint(0, -size.height())), size);
}
