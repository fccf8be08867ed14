#pragma once

#include <QList>

#include "receipts/receipt.h"
#include "views/widgets/fullwindowdialog.h"

class CReceiptPicture;
class QLabel;
class QScrollArea;
class QToolButton;

// One receipt over the whole window: a photo, or a scan's pages one below
// the other, at the window's width to start with, zoomed in and out and
// turned a quarter at a time. Its last command ("Remove", "Attach") ends
// the dialog with Accepted; "Remove" asks first.
class CReceiptViewer : public FullWindowDialog {
    Q_OBJECT

public:
    enum class Action { Remove, Attach };

    CReceiptViewer(const Receipt& receipt, const QString& name, Action action, QWidget* parent);
    ~CReceiptViewer() override;

    // 1 at the window's width; each step in or out multiplies or divides by
    // kZoomStep, from 1 to kMaxZoom.
    double Zoom() const { return zoom_; }
    // Quarter turns clockwise, 0 to 3.
    int Turns() const { return turns_; }
    QScrollArea* Area() const { return area_; }
    // The shown pages, top to bottom.
    const QList<QLabel*>& Pages() const { return pages_; }
    QToolButton* ZoomInButton() const { return zoomIn_; }
    QToolButton* ZoomOutButton() const { return zoomOut_; }
    QToolButton* RotateButton() const { return rotate_; }
    QToolButton* ActionButton() const { return action_; }
    QToolButton* DoneButton() const { return done_; }

    static constexpr double kZoomStep = 1.5;
    static constexpr double kMaxZoom = 4.0;
    // The most pixels the shown pages hold together, however many and
    // however zoomed.
    static constexpr qint64 kMostPixels = 16LL * 1000 * 1000;

protected:
    void ApplyLayout(ScreenLayout layout) override;
    // The pages follow the width of the area they are shown in.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // "+" and "-" zoom, "R" turns, as the commands do.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ZoomBy(double factor);
    void Turn();
    void Act();
    // Draws every page anew for the zoom, the turn and the window's width.
    void ShowPages();

    std::unique_ptr<CReceiptPicture> picture_;
    Action act_;
    double zoom_ = 1.0;
    int turns_ = 0;
    int shownWidth_ = 0;
    QScrollArea* area_;
    QWidget* sheet_;  // owned by the area
    QList<QLabel*> pages_;
    QToolButton* done_;
    QToolButton* zoomIn_;
    QToolButton* zoomOut_;
    QToolButton* rotate_;
    QToolButton* action_;
};
