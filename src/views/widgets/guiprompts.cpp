#include "views/widgets/guiprompts.h"

#include <QApplication>
#include <QMessageBox>

#include "views/widgets/appfont.h"
#include "views/widgets/promptbox.h"

std::unique_ptr<QMessageBox> GuiPrompts::MakeBox(const QString& text, PromptButtons buttons,
                                                 PromptIcon icon, QWidget* parent) {
    std::unique_ptr<QMessageBox> box = std::make_unique<PromptBox>(parent);
    box->setWindowTitle(QStringLiteral("Outlaysheet"));
    box->setFont(AppFont());
    box->setText(text);
    switch (icon) {
        case PromptIcon::None:
            box->setIcon(QMessageBox::NoIcon);
            break;
        case PromptIcon::Information:
            box->setIcon(QMessageBox::Information);
            break;
        case PromptIcon::Exclamation:
            box->setIcon(QMessageBox::Warning);
            break;
        case PromptIcon::Question:
            box->setIcon(QMessageBox::Question);
            break;
    }
    switch (buttons) {
        case PromptButtons::Ok:
            box->setStandardButtons(QMessageBox::Ok);
            break;
        case PromptButtons::YesNo:
            box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case PromptButtons::YesNoCancel:
            box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    return box;
}

PromptAnswer GuiPrompts::Show(const QString& text, PromptButtons buttons, PromptIcon icon) {
    // A message must be readable even while a long operation shows the
    // wait cursor.
    const bool waiting = QApplication::overrideCursor() != nullptr;
    if (waiting) {
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    QWidget* parent = QApplication::activeModalWidget();
    if (parent == nullptr) {
        parent = window_;
    }
    const auto box = MakeBox(text, buttons, icon, parent);
    const int result = box->exec();
    if (waiting) {
        QApplication::restoreOverrideCursor();
    }
    switch (result) {
        case QMessageBox::Yes:
            return PromptAnswer::Yes;
        case QMessageBox::No:
            return PromptAnswer::No;
        case QMessageBox::Cancel:
            return PromptAnswer::Cancel;
        default:
            // Closing the box answers as its safest button does.
            return buttons == PromptButtons::Ok
                       ? PromptAnswer::Ok
                       : (buttons == PromptButtons::YesNo ? PromptAnswer::No
                                                          : PromptAnswer::Cancel);
    }
}

void GuiPrompts::BeginWaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void GuiPrompts::EndWaitCursor() {
    QApplication::restoreOverrideCursor();
}
