#include "views/slip/slipdetailspage.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QToolButton>

#include "views/widgets/appfont.h"
#include "views/widgets/commandbar.h"

CSlipDetailsPage::CSlipDetailsPage(const QString& location, const QString& purpose,
                                   const QString& contacts, QWidget* parent)
    : FullWindowDialog(QStringLiteral("Expense Slip"), TitleButton::None, parent),
      save_(Commands()->AddButton(QStringLiteral("Save"))) {
    SetHelpTopic(QStringLiteral("Expense Details"));
    QToolButton* cancel = Commands()->AddButton(QStringLiteral("Cancel"));
    Commands()->AddStretch();
    connect(save_, &QToolButton::clicked, this, &QDialog::accept);
    connect(cancel, &QToolButton::clicked, this, &QDialog::reject);
    auto* grid = new QGridLayout(Body());
    grid->setContentsMargins(4, 4, 4, 4);
    const QString names[] = {QStringLiteral("Location"), QStringLiteral("Purpose"),
                             QStringLiteral("Contacts")};
    const QString texts[] = {location, purpose, contacts};
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(names[i], Body());
        label->setFont(AppFont());
        grid->addWidget(label, i, 0, Qt::AlignTop);
        edits_[i] = new QPlainTextEdit(texts[i], Body());
        edits_[i]->setAccessibleName(names[i]);
        edits_[i]->setFont(AppFont());
        edits_[i]->setTabChangesFocus(true);
        // Three texts share a low screen: each may be as low as two lines.
        edits_[i]->setMinimumHeight(2 * edits_[i]->fontMetrics().lineSpacing() + 8);
        grid->addWidget(edits_[i], i, 1);
    }
}

QString CSlipDetailsPage::Value(Text text) const {
    return edits_[text]->toPlainText();
}
