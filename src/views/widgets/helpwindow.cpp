#include "views/widgets/helpwindow.h"

#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/shippeddata.h"
#include "views/widgets/appfont.h"

namespace {

QPointer<HelpWindow> shown;

}  // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QDialog(parent ? parent->window() : nullptr), browser_(new QTextBrowser(this)) {
    setWindowTitle(QStringLiteral("Outlaysheet Help"));
    setAccessibleName(windowTitle());
    setAttribute(Qt::WA_DeleteOnClose);
    browser_->setAccessibleName(QStringLiteral("Help"));
    browser_->setFont(AppFont());
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setAccessibleName(QStringLiteral("Close"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(browser_, 1);
    layout->addWidget(close, 0, Qt::AlignRight);
    if (parent != nullptr) {
        setGeometry(parent->window()->geometry());
    } else {
        resize(240, 320);
    }
}

HelpWindow* HelpWindow::Show(const QString& topic, QWidget* parent) {
    if (shown == nullptr) {
        shown = new HelpWindow(parent);
    }
    QUrl page(QStringLiteral("qrc") + QString::fromLatin1(kHelpPage));
    page.setFragment(topic);
    shown->browser_->setSource(page);
    shown->browser_->scrollToAnchor(topic);
    shown->show();
    shown->raise();
    shown->activateWindow();
    return shown;
}
