#include "views/widgets/promptbox.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLayout>

#include "views/widgets/appfont.h"
#include "views/widgets/wrappinglabel.h"

namespace {

// The handheld's screen, for a box without a window.
constexpr int kScreenWidth = 240;
// What a box leaves of the window on each side.
constexpr int kBoxMargin = 8;
// A button's least padding around its text.
constexpr int kButtonPadding = 16;

}  // namespace

PromptBox::PromptBox(QWidget* window)
    : QMessageBox(window), text_(new WrappingLabel(QString(), this)) {
    text_->setFont(AppFont());
    text_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    text_->hide();
}

void PromptBox::Fit() {
    auto* shown = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (shown == nullptr || layout() == nullptr) {
        return;
    }
    // Qt's own label stays, hidden, as the holder of the text (text() reads
    // it); the wrapping one takes its place in the layout, which Qt builds
    // anew when the icon changes.
    text_->setText(shown->text());
    text_->setAccessibleName(shown->text());
    if (layout()->indexOf(text_) < 0) {
        text_->setContentsMargins(shown->contentsMargins());
        // The item that held Qt's label is handed back to be deleted.
        QLayoutItem* replaced = layout()->replaceWidget(shown, text_);
        if (replaced == nullptr) {
            return;
        }
        delete replaced;
    }
    shown->hide();
    text_->show();
    for (QAbstractButton* button : buttons()) {
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(button->text()) +
                                kButtonPadding);
        button->setSizePolicy(QSizePolicy::Preferred, button->sizePolicy().verticalPolicy());
    }
    const QWidget* window = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
    const int room = (window != nullptr ? window->width() : kScreenWidth) - 2 * kBoxMargin;
    // The text gets what the icon, the margins and the spacing leave.
    text_->SetPreferredWidth(room);
    layout()->activate();
    const int others = layout()->totalMinimumSize().width() - text_->minimumSizeHint().width();
    text_->SetPreferredWidth(room - others);
    layout()->activate();
}

void PromptBox::showEvent(QShowEvent* event) {
    Fit();
    // Qt's box sizes itself from the layout here, and then centres over the
    // window.
    QMessageBox::showEvent(event);
}
