#include "views/widgets/fullwindowdialog.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "views/widgets/appfont.h"
#include "views/widgets/commandbar.h"
#include "views/widgets/helpwindow.h"

FullWindowDialog::FullWindowDialog(const QString& title, TitleButton button, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      window_(parent != nullptr ? parent->window() : nullptr),
      title_(new QLabel(title, this)),
      body_(new QWidget(this)),
      commands_(new CommandBar(this)) {
    setWindowTitle(title);
    setAccessibleName(title);
    setFont(AppFont());
    setAutoFillBackground(true);

    auto* titleRow = new QWidget(this);
    titleRow->setAutoFillBackground(true);
    QPalette rowColours = titleRow->palette();
    rowColours.setColor(QPalette::Window, Qt::white);
    titleRow->setPalette(rowColours);
    auto* rowLayout = new QHBoxLayout(titleRow);
    titleRow_ = rowLayout;
    rowLayout->setContentsMargins(4, 2, 4, 2);
    QFont titleFont = ScaledFont(AppFont(), 14);
    titleFont.setBold(true);
    title_->setFont(titleFont);
    title_->setStyleSheet(QStringLiteral("color: #0a246a;"));
    rowLayout->addWidget(title_, 1);
    if (button == TitleButton::Ok) {
        ok_ = new QPushButton(QStringLiteral("OK"), titleRow);
        ok_->setAccessibleName(QStringLiteral("OK"));
        ok_->setFixedHeight(20);
        ok_->setDefault(true);
        rowLayout->addWidget(ok_);
        connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    }
    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Plain);
    rule->setStyleSheet(QStringLiteral("color: #0a246a;"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(titleRow);
    layout->addWidget(rule);
    layout->addWidget(body_, 1);
    layout->addWidget(commands_);

    if (window_ != nullptr) {
        window_->installEventFilter(this);
        FollowWindow();
    } else {
        resize(240, 320);
    }
}

FullWindowDialog::~FullWindowDialog() = default;

void FullWindowDialog::ApplyLayout(ScreenLayout) {}

void FullWindowDialog::FollowWindow() {
    setGeometry(window_->geometry());
}

void FullWindowDialog::UpdateLayout(bool force) {
    const ScreenLayout layout = GetScreenLayout(width(), height());
    if (force || !laidOut_ || layout != layout_) {
        layout_ = layout;
        laidOut_ = true;
        ApplyLayout(layout);
        // The form before may have stretched the dialog past the window while
        // its controls were arranged for another shape.
        if (Body()->layout() != nullptr) {
            Body()->layout()->activate();
        }
        QDialog::layout()->activate();
        if (window_ != nullptr && geometry() != window_->geometry()) {
            FollowWindow();
        }
    }
}

void FullWindowDialog::showEvent(QShowEvent* event) {
    if (window_ != nullptr) {
        FollowWindow();
    }
    UpdateLayout(false);
    QDialog::showEvent(event);
}

void FullWindowDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    UpdateLayout(false);
}

void FullWindowDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && !helpTopic_.isEmpty()) {
        HelpWindow::Show(helpTopic_, this);
        return;
    }
    QDialog::keyPressEvent(event);
}

bool FullWindowDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && (event->type() == QEvent::Resize || event->type() == QEvent::Move)) {
        FollowWindow();
    }
    return QDialog::eventFilter(watched, event);
}

QToolButton* FullWindowDialog::AddTitleButton(const QString& text) {
    auto* button = new QToolButton(titleRow_->parentWidget());
    button->setText(text);
    button->setAccessibleName(text);
    button->setFont(AppFont());
    button->setAutoRaise(true);
    // No taller than the title: the body keeps its height.
    button->setFixedHeight(title_->sizeHint().height());
    titleRow_->insertWidget(titleRow_->count() - (ok_ != nullptr ? 1 : 0), button);
    return button;
}
