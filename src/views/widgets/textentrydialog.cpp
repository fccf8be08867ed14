#include "views/widgets/textentrydialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/platform.h"
#include "views/widgets/appfont.h"
#include "views/widgets/commandbar.h"

CTextEntryDialog::CTextEntryDialog(const QString& title, const QString& prompt,
                                   const QString& text, const QString& emptyRefusal,
                                   QWidget* parent)
    : FullWindowDialog(title, TitleButton::None, parent),
      prompt_(new QLabel(prompt, Body())),
      field_(new QLineEdit(text, Body())),
      emptyRefusal_(emptyRefusal) {
    prompt_->setFont(AppFont());
    prompt_->setWordWrap(true);
    prompt_->setBuddy(field_);
    field_->setFont(AppFont());
    field_->setAccessibleName(prompt.isEmpty() ? title : prompt);
    field_->selectAll();
    connect(field_, &QLineEdit::returnPressed, this, &CTextEntryDialog::accept);

    QToolButton* save = Commands()->AddButton(QStringLiteral("Save"));
    QToolButton* cancel = Commands()->AddButton(QStringLiteral("Cancel"));
    Commands()->AddStretch();
    connect(save, &QToolButton::clicked, this, &CTextEntryDialog::accept);
    connect(cancel, &QToolButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(4);
    layout->addWidget(prompt_);
    layout->addWidget(field_);
    layout->addStretch();
    field_->setFocus();
}

const QString& CTextEntryDialog::EmptyNameMessage() {
    static const QString message = QStringLiteral(
        "The name field is either empty or contains invalid characters.  Please edit the name "
        "and try saving again.");
    return message;
}

bool CTextEntryDialog::AskListEntry(QWidget* parent, const QString& text, QString& entered,
                                    std::function<QString(const QString& text)> check) {
    CTextEntryDialog dialog(QStringLiteral("List Entry"), QStringLiteral("Enter a List Entry:"),
                            text, EmptyNameMessage(), parent);
    dialog.SetCheck(std::move(check));
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    entered = dialog.Text();
    return true;
}

void CTextEntryDialog::accept() {
    const QString text = field_->text().trimmed();
    QString refusal;
    if (text.isEmpty() && !emptyRefusal_.isEmpty()) {
        refusal = emptyRefusal_;
    } else if (check_) {
        refusal = check_(text);
    }
    if (!refusal.isEmpty()) {
        Platform::Get().GetPrompts().Warning(refusal);
        field_->setFocus();
        return;
    }
    text_ = text;
    FullWindowDialog::accept();
}
