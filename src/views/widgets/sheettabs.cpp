#include "views/widgets/sheettabs.h"

#include <QTabWidget>

#include "views/widgets/appfont.h"

QTabWidget* MakeSheetTabs(const QString& name, QWidget* parent) {
    auto* tabs = new QTabWidget(parent);
    tabs->setFont(AppFont());
    tabs->setAccessibleName(name);
    tabs->setTabPosition(QTabWidget::South);
    tabs->setDocumentMode(true);
    return tabs;
}
