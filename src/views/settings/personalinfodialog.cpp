#include "views/settings/personalinfodialog.h"

#include <QToolButton>
#include <QVBoxLayout>

#include "views/settings/personalinfoview.h"
#include "views/widgets/commandbar.h"
#include "views/widgets/confirmations.h"

CPersonalInfoDialog::CPersonalInfoDialog(bool internationalTraveler, QWidget* parent)
    : FullWindowDialog(QStringLiteral("Personal Info"), TitleButton::None, parent),
      view_(new CPersonalInfoView(internationalTraveler, Body())),
      save_(Commands()->AddButton(QStringLiteral("Save"))),
      cancel_(Commands()->AddButton(QStringLiteral("Cancel"))) {
    SetHelpTopic(QStringLiteral("Personal Info"));
    Commands()->AddStretch();
    // The view fills the page in every form, so there is nothing to lay out
    // anew when the form changes.
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    save_->setEnabled(false);
    connect(view_, &CPersonalInfoView::modifiedChanged, this,
            [this] { save_->setEnabled(view_->IsModified()); });
    connect(save_, &QToolButton::clicked, this, &CPersonalInfoDialog::accept);
    connect(cancel_, &QToolButton::clicked, this, &CPersonalInfoDialog::reject);
}

void CPersonalInfoDialog::accept() {
    // What the user typed stays on the screen until it is in the file.
    if (!view_->Save()) {
        return;
    }
    FullWindowDialog::accept();
}

void CPersonalInfoDialog::reject() {
    if (!MayCancelChanges(view_->IsModified())) {
        return;
    }
    FullWindowDialog::reject();
}
