#include "views/slip/categorypicker.h"

#include <QGridLayout>
#include <QToolButton>

#include "views/slip/categorybutton.h"
#include "views/widgets/commandbar.h"

CCategoryPicker::CCategoryPicker(CategoryOfGroup categoryOfGroup, QWidget* parent)
    : FullWindowDialog(QStringLiteral("Please Choose..."), TitleButton::None, parent) {
    auto* grid = new QGridLayout(Body());
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setSpacing(2);
    for (int group = 1; group <= 12; ++group) {
        auto* button = new CategoryButton(Body());
        button->setObjectName(QStringLiteral("Group%1").arg(group));
        const CCategory* category = categoryOfGroup(group);
        button->setEnabled(category != nullptr);
        if (category != nullptr) {
            button->SetCategory(*category);
        }
        grid->addWidget(button, (group - 1) / 4, (group - 1) % 4);
        connect(button, &QAbstractButton::clicked, this, [this, group] {
            chosen_ = group;
            accept();
        });
    }
    QToolButton* cancel = Commands()->AddButton(QStringLiteral("Cancel"));
    connect(cancel, &QToolButton::clicked, this, &QDialog::reject);
    Commands()->AddStretch();
}

QAbstractButton* CCategoryPicker::Button(int group) const {
    return findChild<QAbstractButton*>(QStringLiteral("Group%1").arg(group));
}
