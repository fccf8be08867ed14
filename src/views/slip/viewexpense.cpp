#include "views/slip/viewexpense.h"

#include "views/widgets/appfont.h"

CViewExpense::CViewExpense(CExpenseDoc& document, QWidget* parent)
    : QWidget(parent), document_(document) {
    setObjectName(QStringLiteral("Main"));
    setAccessibleName(QStringLiteral("Main screen"));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kLightYellow);
    setPalette(colours);
}

void CViewExpense::ReloadList() {}

void CViewExpense::ShowList() {
    listVisible_ = true;
}
