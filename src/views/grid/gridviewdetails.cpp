#include "views/grid/gridviewdetails.h"

#include "views/widgets/appfont.h"

CGridViewDetails::CGridViewDetails(CExpenseDoc& document, QWidget* parent)
    : QWidget(parent), document_(document) {
    setObjectName(QStringLiteral("Details"));
    setAccessibleName(QStringLiteral("Detailed list"));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kLightYellow);
    setPalette(colours);
}

void CGridViewDetails::ReloadDetails() {}
