#include "views/slip/cameradialog.h"

#include <QCamera>
#include <QImageCapture>
#include <QLabel>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QToolButton>
#include <QVBoxLayout>
#include <QVideoFrame>
#include <QVideoSink>

#include "platform/platform.h"
#include "platform/prompts.h"
#include "views/widgets/appfont.h"
#include "views/widgets/commandbar.h"

QString CCameraDialog::NoCameraMessage() {
    return QStringLiteral(
        "No camera was found on this device. Attach a photo of the receipt from its file "
        "instead.");
}

bool CCameraDialog::HasCamera() {
    return !QMediaDevices::videoInputs().isEmpty();
}

bool CCameraDialog::TakePhoto(QWidget* parent, QImage& photo) {
    if (!HasCamera()) {
        Platform::Get().GetPrompts().Information(NoCameraMessage());
        return false;
    }
    CCameraDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted || dialog.Photo().isNull()) {
        return false;
    }
    photo = dialog.Photo();
    return true;
}

CCameraDialog::CCameraDialog(QWidget* parent)
    : FullWindowDialog(QStringLiteral("Camera"), TitleButton::None, parent),
      session_(std::make_unique<QMediaCaptureSession>()),
      camera_(std::make_unique<QCamera>(QMediaDevices::defaultVideoInput())),
      capture_(std::make_unique<QImageCapture>()),
      sink_(new QVideoSink(this)),
      view_(new QLabel(Body())),
      take_(Commands()->AddButton(QStringLiteral("Take"))),
      cancel_(Commands()->AddButton(QStringLiteral("Cancel"))) {
    view_->setAccessibleName(QStringLiteral("Viewfinder"));
    view_->setAlignment(Qt::AlignCenter);
    view_->setFont(AppFont());
    view_->setMinimumSize(1, 1);
    view_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    session_->setCamera(camera_.get());
    session_->setImageCapture(capture_.get());
    session_->setVideoSink(sink_);
    connect(sink_, &QVideoSink::videoFrameChanged, this, [this](const QVideoFrame& frame) {
        const QImage image = frame.toImage();
        if (!image.isNull()) {
            view_->setPixmap(QPixmap::fromImage(
                image.scaled(view_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
        }
    });
    connect(capture_.get(), &QImageCapture::imageCaptured, this, [this](int, const QImage& image) {
        photo_ = image;
        accept();
    });
    connect(capture_.get(), &QImageCapture::errorOccurred, this,
            [this](int, QImageCapture::Error, const QString& reason) { Failed(reason); });
    connect(camera_.get(), &QCamera::errorOccurred, this,
            [this](QCamera::Error, const QString& reason) { Failed(reason); });
    connect(take_, &QToolButton::clicked, this, &CCameraDialog::Take);
    connect(cancel_, &QToolButton::clicked, this, &QDialog::reject);
    camera_->start();
}

CCameraDialog::~CCameraDialog() {
    camera_->stop();
}

void CCameraDialog::ApplyLayout(ScreenLayout) {
    delete Body()->layout();
    auto* column = new QVBoxLayout(Body());
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(view_);
}

void CCameraDialog::Take() {
    if (!capture_->isReadyForCapture()) {
        return;
    }
    capture_->capture();
}

void CCameraDialog::Failed(const QString& reason) {
    // A camera that fails tends to say so more than once; the user hears it once.
    if (failed_) {
        return;
    }
    failed_ = true;
    Platform::Get().GetPrompts().Warning(
        QStringLiteral("The camera could not take the photo: %1").arg(reason));
    reject();
}
