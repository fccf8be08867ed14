#pragma once

#include <QAbstractButton>
#include <QBasicTimer>
#include <QPixmap>

#include "views/widgets/heldpenmenu.h"
#include "views/widgets/listpicture.h"

class CCategory;

// A main-screen button: a category's 32 x 32 picture above its name on the
// light-yellow background. A tap starts an expense; holding the pen on it
// (or the context key, or a screen reader's "ShowMenu") asks for the pop-up
// list of its group.
class CategoryButton : public QAbstractButton, public CHeldPenMenu {
    Q_OBJECT

public:
    static constexpr int kPictureSize = kListPictureSize;
    static constexpr int kHoldMs = 600;

    explicit CategoryButton(QWidget* parent = nullptr);

    void SetCategory(const CCategory& category);
    const QString& CategoryName() const { return name_; }
    // The height a row of these buttons needs, margin included.
    static int NeededHeight();

    QSize sizeHint() const override;
    void OpenHeldPenMenu() override { emit popUpRequested(); }

    // The picture of a category: the user's file when it is there, else the
    // built-in one; magenta is transparent.
    static QPixmap Picture(const CCategory& category);

signals:
    void popUpRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QString name_;
    QPixmap picture_;
    QBasicTimer hold_;
    bool held_ = false;
};
