#pragma once

#include <QImage>
#include <memory>

#include "views/widgets/fullwindowdialog.h"

class QCamera;
class QImageCapture;
class QLabel;
class QMediaCaptureSession;
class QToolButton;
class QVideoSink;

// A photo of a receipt from the device's camera: what the camera sees over
// the window, "Take" keeps the picture, "Cancel" keeps none.
class CCameraDialog : public FullWindowDialog {
    Q_OBJECT

public:
    // The photo taken; false, with nothing taken, when the user cancelled
    // or the device has no camera (said in a message).
    static bool TakePhoto(QWidget* parent, QImage& photo);

    static QString NoCameraMessage();
    // Whether Qt finds a camera on the device.
    static bool HasCamera();

    explicit CCameraDialog(QWidget* parent);
    ~CCameraDialog() override;

    const QImage& Photo() const { return photo_; }

protected:
    void ApplyLayout(ScreenLayout layout) override;

private:
    void Take();
    void Failed(const QString& reason);

    std::unique_ptr<QMediaCaptureSession> session_;
    std::unique_ptr<QCamera> camera_;
    std::unique_ptr<QImageCapture> capture_;
    QVideoSink* sink_;  // owned by the dialog
    QLabel* view_;      // owned by the body
    QToolButton* take_;
    QToolButton* cancel_;
    QImage photo_;
    bool failed_ = false;
};
