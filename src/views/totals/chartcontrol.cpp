#include "views/totals/chartcontrol.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <algorithm>

namespace {

// The axis titles are never set, so their font keeps its largest size; it
// still measures the room the tick labels get left of the plot.
constexpr int kAxisTitleFontSize = 16;
constexpr int kFaceShade = 35;
const QColor kGridGrey(128, 128, 128);
const QColor kHalfGridGrey(225, 225, 225);

QFont ChartFont(int pixels) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setWeight(QFont::Bold);
    return font;
}

quint32 Shade(quint32 colour, int by) {
    quint32 shaded = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int component = std::clamp(static_cast<int>((colour >> shift) & 0xFF) + by, 0, 255);
        shaded |= static_cast<quint32>(component) << shift;
    }
    return shaded;
}

}  // namespace

CChartControl::CChartControl(int type) : type_(type), threeD_(type == kBar3D) {}

void CChartControl::SetPoint(Series& series, int index, qint32 value) {
    if (index < 0) {
        return;
    }
    if (index >= series.size()) {
        series.resize(index + 1, 0);
    }
    series[index] = value;
}

void CChartControl::SetPointColour(int index, quint32 colour) {
    colours_.insert(index, colour);
}

void CChartControl::SetAxis(int min, int max, int interval) {
    axisMin_ = min;
    axisMax_ = max > min ? max : min + 1;
    const qint64 range = static_cast<qint64>(axisMax_) - axisMin_;
    if (interval < 1 || range < interval) {
        // No interval, or one beyond the axis: a single tick at the top.
        interval_ = static_cast<int>(qMin<qint64>(range, INT_MAX));
        divisions_ = 1;
        return;
    }
    interval_ = interval;
    divisions_ = static_cast<int>(range / interval);
    if (static_cast<qint64>(divisions_) * interval < range) {
        ++divisions_;
    }
}

quint32 CChartControl::DarkerFace(quint32 colour) {
    return Shade(colour, -kFaceShade);
}

quint32 CChartControl::LighterFace(quint32 colour) {
    return Shade(colour, kFaceShade);
}

QColor CChartControl::ToColor(quint32 colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

quint32 CChartControl::ColourOf(int index) const {
    return colours_.value(index, 0);
}

void CChartControl::Draw(QPainter& painter, const QRect& rectangle) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setClipRect(rectangle);
    painter.translate(rectangle.topLeft());
    const int width = rectangle.width();
    const int height = rectangle.height();
    painter.fillRect(0, 0, width, height, Qt::white);

    const QFontMetrics titleMetrics(ChartFont(kAxisTitleFontSize));
    const int digits = static_cast<int>(QString::number(axisMax_).size());
    plotLeft_ = titleMetrics.averageCharWidth() * digits + 10;
    plotBottom_ = height - 15;
    plotHeight_ = height - 20;
    plotWidth_ = width - plotLeft_ - 5;
    depth_ = 0;

    painter.setPen(QPen(Qt::black, 2, Qt::SolidLine));
    if (threeD_) {
        depth_ = static_cast<int>(plotHeight_ * depthFraction_);
        plotWidth_ -= depth_;
        plotHeight_ -= depth_;
        DrawAxes(painter, depth_, -depth_);
        DrawAxes(painter, 0, 0);
        const int left = plotLeft_ - 1;
        const int base = plotBottom_ + 1;
        for (const QPoint corner : {QPoint(left, base), QPoint(left, base - plotHeight_),
                                    QPoint(plotLeft_ + plotWidth_ - 1, base)}) {
            painter.drawLine(corner, corner + QPoint(depth_, -depth_));
        }
    } else {
        DrawAxes(painter, 0, 0);
    }
    DrawTicks(painter);
    if (type_ == kBar3D) {
        DrawBars(painter);
    }
    painter.restore();
}

void CChartControl::DrawAxes(QPainter& painter, int dx, int dy) const {
    const QPoint origin(plotLeft_ - 1 + dx, plotBottom_ + 1 + dy);
    painter.drawLine(origin, origin - QPoint(0, plotHeight_));
    painter.drawLine(origin, origin + QPoint(plotWidth_, 0));
}

void CChartControl::DrawTicks(QPainter& painter) const {
    painter.setFont(ChartFont(tickFontSize_));
    DrawLabel(painter, axisMin_ < 1 ? 0 : axisMin_, plotBottom_);
    const int step = TickStep();
    if (step < 1) {
        return;
    }
    const QPen axisPen(Qt::black, 2, Qt::SolidLine);
    const int right = plotLeft_ + plotWidth_;
    // On a low plot the ticks come closer than the labels are high; a label
    // that would run into the one below it is left out, its tick is not.
    const int labelRoom =
        QFontMetrics(painter.font()).tightBoundingRect(QStringLiteral("0")).height() + 2;
    int lastLabel = plotBottom_;
    for (int k = 1; k <= divisions_; ++k) {
        const int y = plotBottom_ - k * step;
        painter.setPen(axisPen);
        if (threeD_) {
            painter.drawLine(plotLeft_ - depth_ / 5, y, plotLeft_, y);
        } else {
            painter.drawLine(plotLeft_ - 4, y, plotLeft_ + 3, y);
        }
        if (grid_) {
            painter.setPen(QPen(kGridGrey, 1, Qt::SolidLine));
            if (threeD_) {
                painter.drawLine(plotLeft_, y, plotLeft_ + depth_, y - depth_);
                painter.drawLine(plotLeft_ + depth_, y - depth_, right + depth_, y - depth_);
            } else {
                painter.drawLine(plotLeft_, y, right, y);
            }
        }
        if (threeD_) {
            // A short tick between two labelled ones.
            const int half = y + step / 2;
            painter.setPen(axisPen);
            painter.drawLine(plotLeft_ - depth_ / 5, half, plotLeft_, half);
            if (grid_) {
                painter.setPen(QPen(kHalfGridGrey, 1, Qt::SolidLine));
                painter.drawLine(plotLeft_ + depth_, half - depth_, right + depth_, half - depth_);
            }
        }
        if (lastLabel - y >= labelRoom) {
            DrawLabel(painter, static_cast<int>(static_cast<qint64>(k) * interval_ + axisMin_), y);
            lastLabel = y;
        }
    }
}

void CChartControl::DrawLabel(QPainter& painter, int value, int y) const {
    const QString text = QString::number(value);
    const int left = plotLeft_ - static_cast<int>(text.size()) * tickFontSize_ / 2 - 10;
    painter.setPen(Qt::black);
    painter.drawText(QRect(left, y - 6, plotLeft_, tickFontSize_ + 4),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

int CChartControl::TickStep() const {
    return divisions_ > 0 ? (threeD_ ? plotHeight_ : plotHeight_ - 10) / divisions_ : 0;
}

void CChartControl::DrawBars(QPainter& painter) const {
    if (series_.isEmpty()) {
        return;
    }
    const int slot = plotWidth_ / static_cast<int>(series_.size());
    // The ticks' own scale: a bar's top meets the tick of its value, so the
    // axis reads what the bar is worth.
    const int step = TickStep();
    const double scale = step >= 1 && interval_ > 0
                             ? static_cast<double>(step) / interval_
                             : static_cast<double>(plotHeight_ - 10) / (axisMax_ - axisMin_);
    for (int h = 1; h <= series_.size(); ++h) {
        const Series& series = series_[h - 1];
        const int points = static_cast<int>(series.size());
        if (points == 0) {
            continue;
        }
        const int barWidth = static_cast<int>(slot * (threeD_ ? 0.8 : 0.6) / points);
        const int centre = slot * h + plotLeft_ - slot / 2;
        for (int i = 0; i < points; ++i) {
            const double value = axisMin_ >= 1 ? static_cast<double>(series[i]) - axisMin_
                                               : static_cast<double>(series[i]);
            // A value beyond the axis stops at the top of the plot.
            const int barHeight =
                static_cast<int>(std::clamp(value * scale, 0.0, static_cast<double>(plotHeight_)));
            const int top = plotBottom_ - barHeight;
            const int left = i * barWidth + centre - (points * barWidth) / 2;
            const int right = left + barWidth;
            const quint32 colour = ColourOf(i);
            if (threeD_) {
                // The faces first, so that the front keeps its own edges.
                const QPoint back(depth_, -depth_);
                const QPolygon side({QPoint(right, top), QPoint(right, plotBottom_),
                                     QPoint(right, plotBottom_) + back,
                                     QPoint(right, top) + back});
                const QPolygon lid({QPoint(left, top), QPoint(right, top),
                                    QPoint(right, top) + back, QPoint(left, top) + back});
                for (const auto& [face, shade] :
                     {std::pair(side, DarkerFace(colour)), std::pair(lid, LighterFace(colour))}) {
                    painter.setPen(ToColor(shade));
                    painter.setBrush(ToColor(shade));
                    painter.drawPolygon(face);
                }
            }
            // Outline and fill share the colour, so the fill is the whole bar.
            painter.fillRect(QRect(left, top, barWidth, plotBottom_ - top), ToColor(colour));
        }
    }
}
