#include "views/frame/aboutdialog.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "platform/installation.h"
#include "views/frame/systeminfodialog.h"
#include "views/widgets/appfont.h"

CAboutDialog::CAboutDialog(QWidget* parent)
    : FullWindowDialog(QStringLiteral("About"), TitleButton::Ok, parent),
      picture_(new QLabel(Body())),
      name_(new QLabel(QStringLiteral("Outlaysheet"), Body())),
      version_(new QLabel(QStringLiteral("Version ") + VersionText(), Body())),
      contact_(new QPlainTextEdit(Body())) {
    SetHelpTopic(QStringLiteral("Main_Contents"));
    // The splash picture is as wide as the screen; inside the dialog's
    // margins it is drawn a little smaller rather than widen the dialog.
    picture_->setPixmap(QPixmap(QStringLiteral(":/images/SPLASH.BMP"))
                            .scaledToWidth(216, Qt::SmoothTransformation));
    picture_->setAlignment(Qt::AlignCenter);
    picture_->setAccessibleName(QStringLiteral("Outlaysheet"));
    QFont nameFont = ScaledFont(AppFont(), 16);
    nameFont.setBold(true);
    name_->setFont(nameFont);
    name_->setAccessibleName(name_->text());
    version_->setFont(AppFont());
    version_->setAccessibleName(version_->text());
    contact_->setFont(AppFont());
    contact_->setReadOnly(true);
    contact_->setAccessibleName(QStringLiteral("Contact"));
    contact_->setPlainText(
        QStringLiteral("Outlaysheet keeps your expense reports on your handheld.\n"
                       "Tillhouse\n"
                       "Questions and suggestions: support@tillhouse.example\n"
                       "Press Ctrl+V for information about this device."));
}

QString CAboutDialog::VersionText() {
    const QString version = GetModuleVersion();
    return version.isEmpty() ? QStringLiteral("N.A.") : version;
}

void CAboutDialog::ApplyLayout(ScreenLayout layout) {
    delete Body()->layout();
    auto* grid = new QGridLayout(Body());
    grid->setContentsMargins(4, 4, 4, 4);
    if (layout == ScreenLayout::Portrait) {
        grid->addWidget(picture_, 0, 0);
        grid->addWidget(name_, 1, 0);
        grid->addWidget(version_, 2, 0);
        grid->addWidget(contact_, 3, 0);
        grid->setRowStretch(3, 1);
        picture_->setVisible(true);
    } else {
        // Too low for the picture above the texts.
        picture_->setVisible(false);
        grid->addWidget(name_, 0, 0);
        grid->addWidget(version_, 1, 0);
        grid->addWidget(contact_, 2, 0);
        grid->setRowStretch(2, 1);
    }
}

void CAboutDialog::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste) ||
        (event->key() == Qt::Key_V && (event->modifiers() & Qt::ControlModifier))) {
        CSystemInfoDialog(this).exec();
        return;
    }
    FullWindowDialog::keyPressEvent(event);
}
