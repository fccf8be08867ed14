#include "views/widgets/guiprompts.h"

#include <QApplication>
#include <QMessageBox>

#include "views/widgets/appfont.h"

namespace {

QString WrapLines(const QString& text, const QFontMetrics& metrics, int width) {
    QStringList wrapped;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        QString current;
        for (const QString& word : line.split(QLatin1Char(' '))) {
            const QString longer = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
            if (!current.isEmpty() && metrics.horizontalAdvance(longer) > width) {
                wrapped.append(current);
                current = word;
            } else {
                current = longer;
            }
        }
        wrapped.append(current);
    }
    return wrapped.join(QLatin1Char('\n'));
}

}  // namespace

std::unique_ptr<QMessageBox> GuiPrompts::MakeBox(const QString& text, PromptButtons buttons,
                                                 PromptIcon icon, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(QStringLiteral("Outlaysheet"));
    box->setFont(AppFont());
    // The handheld's screen is small: long lines are broken to fit beside
    // the icon, as the box sizes itself for a desktop's screen.
    const int width = qMax(120, (parent != nullptr ? parent->width() : 240) - 80);
    box->setText(WrapLines(text, QFontMetrics(AppFont()), width));
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
    // The handheld's screen is small: long texts wrap inside it.
    if (parent != nullptr) {
        box->setStyleSheet(
            QStringLiteral("QLabel { max-width: %1px; }").arg(qMax(120, parent->width() - 80)));
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
