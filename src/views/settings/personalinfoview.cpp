#include "views/settings/personalinfoview.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <algorithm>

#include "views/widgets/appfont.h"

CPersonalInfoView::CPersonalInfoView(bool internationalTraveler, QWidget* parent)
    : QScrollArea(parent) {
    info_.Load(false);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* rows = new QWidget;
    for (int i = 0; i < CPersonalInfo::kFieldCount; ++i) {
        const auto field = static_cast<CPersonalInfo::Field>(i);
        const QString text = CPersonalInfo::FieldLabel(field, internationalTraveler);
        auto* label = new QLabel(text, rows);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* edit = new QLineEdit(info_.GetField(field), rows);
        edit->setFont(AppFont());
        edit->setAccessibleName(text);
        edit->setTextMargins(0, 0, 0, 0);
        // A text longer than its field shows its beginning.
        edit->setCursorPosition(0);
        label->setBuddy(edit);
        connect(edit, &QLineEdit::textEdited, this, [this] {
            modified_ = true;
            emit modifiedChanged();
        });
        labels_[i] = label;
        fields_[i] = edit;
    }
    FitLabels();
    contentHeight_ = kTop + (CPersonalInfo::kFieldCount - 1) * kRowStep + kRowHeight + 3;
    rows->setFixedHeight(contentHeight_);
    setWidget(rows);
    setWidgetResizable(true);
    rows->installEventFilter(this);
    KeepRowSteps();
}

bool CPersonalInfoView::eventFilter(QObject* watched, QEvent* event) {
    const bool resized = watched == widget() && event->type() == QEvent::Resize;
    if (resized) {
        LayOutRows();
    }
    const bool handled = QScrollArea::eventFilter(watched, event);
    if (resized) {
        KeepRowSteps();
    }
    return handled;
}

void CPersonalInfoView::LayOutRows() {
    const int right = widget()->width();
    for (int i = 0; i < CPersonalInfo::kFieldCount; ++i) {
        const int top = kTop + i * kRowStep;
        labels_[i]->setGeometry(2, top, kLabelRight - 2, kRowHeight);
        fields_[i]->setGeometry(kFieldLeft, top, right - 2 - kFieldLeft, kRowHeight);
    }
}

void CPersonalInfoView::FitLabels() {
    // The labels' column is as narrow as the handheld's; the longest label
    // ("Company Phone:") is set a little smaller rather than cut off.
    QFont font = AppFont();
    const int room = kLabelRight - 2 - 2;
    const auto widest = [this](const QFont& candidate) {
        int width = 0;
        for (const QLabel* label : labels_) {
            width = std::max(width, QFontMetrics(candidate).horizontalAdvance(label->text()));
        }
        return width;
    };
    while (widest(font) > room && font.pixelSize() > kSmallestLabelPixels) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    for (QLabel* label : labels_) {
        label->setFont(font);
    }
}

void CPersonalInfoView::KeepRowSteps() {
    // The scroll area would page by the height of the view.
    verticalScrollBar()->setSingleStep(kRowStep);
    verticalScrollBar()->setPageStep(kRowStep);
}

void CPersonalInfoView::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    KeepRowSteps();
}

bool CPersonalInfoView::Save() {
    for (int i = 0; i < CPersonalInfo::kFieldCount; ++i) {
        info_.SetField(static_cast<CPersonalInfo::Field>(i), fields_[i]->text().trimmed());
    }
    return info_.Save(true);
}
