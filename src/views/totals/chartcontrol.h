#pragma once

#include <QColor>
#include <QList>
#include <QMap>
#include <QtGlobal>

class QPainter;
class QRect;

// A bar chart of whole-number series over a value axis with tick labels and
// grid lines, drawn into any painter: the graph view's window, or an image.
// The three-dimensional bar chart gives every bar a side and a top face and
// the plot a back wall; a chart without a type draws only its axes.
//
// The plot's geometry is worked out anew by every Draw and can be read
// afterwards.
class CChartControl {
public:
    // Chart types.
    static constexpr int kNoType = -1;
    static constexpr int kBar3D = 30;

    using Series = QList<qint32>;

    explicit CChartControl(int type = kNoType);

    int GetType() const { return type_; }
    bool IsThreeD() const { return threeD_; }
    void SetGrid(bool grid) { grid_ = grid; }

    // Sets point `index` of `series`, growing it with zeros as needed.
    static void SetPoint(Series& series, int index, qint32 value);
    // The colour of point `index` of every series (red in the low byte, then
    // green, then blue).
    void SetPointColour(int index, quint32 colour);
    void AddSeries(const Series& series) { series_.append(series); }

    // The axis from `min` to `max` (at least min + 1), with ticks every
    // `interval`; a range smaller than the interval gets one tick at the top.
    void SetAxis(int min, int max, int interval);
    int GetAxisMin() const { return axisMin_; }
    int GetAxisMax() const { return axisMax_; }
    int GetInterval() const { return interval_; }
    int GetDivisions() const { return divisions_; }

    void Draw(QPainter& painter, const QRect& rectangle);

    // Where the last Draw put the plot, relative to its rectangle.
    int GetPlotLeft() const { return plotLeft_; }
    int GetPlotBottom() const { return plotBottom_; }
    int GetPlotWidth() const { return plotWidth_; }
    int GetPlotHeight() const { return plotHeight_; }
    int GetDepth() const { return depth_; }

    // The colours of a bar's faces: each component 35 darker or lighter.
    static quint32 DarkerFace(quint32 colour);
    static quint32 LighterFace(quint32 colour);
    static QColor ToColor(quint32 colour);

private:
    void DrawAxes(QPainter& painter, int dx, int dy) const;
    void DrawTicks(QPainter& painter) const;
    void DrawLabel(QPainter& painter, int value, int y) const;
    void DrawBars(QPainter& painter) const;
    // Pixels between two ticks; a bar rises as many per `interval_`.
    int TickStep() const;
    quint32 ColourOf(int index) const;

    int type_;
    bool threeD_;
    QList<Series> series_;
    QMap<int, quint32> colours_;
    int axisMin_ = 0;
    int axisMax_ = 100;
    int interval_ = 10;
    int divisions_ = 10;
    bool grid_ = false;
    double depthFraction_ = 0.05;
    int tickFontSize_ = 12;
    int plotLeft_ = 0;
    int plotBottom_ = 0;
    int plotWidth_ = 0;
    int plotHeight_ = 0;
    int depth_ = 0;
};
