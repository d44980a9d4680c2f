#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>

#include <vector>

class QPainter;

namespace zarva::gui {

// What one channel's bar chart shows.
struct SpectrumChart {
    QColor colour;
    QString caption;
    std::vector<double> amplitudes;  // one bar per spectral line
    double largest = 0.0;
    QStringList valueLabels;  // one per bar
};

// Where one chart goes: the cell it owns and the band its bars grow in, from `bars.bottom()`
// up to `bars.top()` for the largest line.
struct ChartLayout {
    QRect cell;
    QRect bars;
    double slot = 0.0;  // width of one line's place
    enum class Labels { Across, Upright, None } valueLabels = Labels::Across;
};

// Lays out and draws the frequency diagram: the channels' charts in reading order, in one
// column while they fit, in more columns when the window is low.
class FourieDiagramPainter {
public:
    FourieDiagramPainter(QPainter& painter, const QFont& font, bool screen);

    std::vector<ChartLayout> Layout(const QRect& rect, const std::vector<SpectrumChart>& charts) const;
    // `frequencies` labels the lines under the bars; the same for every chart.
    void Draw(const QRect& rect, const std::vector<SpectrumChart>& charts, const QStringList& frequencies);

private:
    int WidestLabel(const SpectrumChart& chart) const;
    ChartLayout LayoutChart(const QRect& cell, const SpectrumChart& chart) const;
    void DrawChart(const ChartLayout& layout, const SpectrumChart& chart, const QStringList& frequencies);
    void DrawBar(const QRectF& bar, const QColor& colour);
    void DrawValueLabel(const ChartLayout& layout, const QRectF& bar, const QString& text);

    QPainter& painter_;
    QFont font_;
    bool screen_;
    int textHeight_;
    int pad_;
    double lineWidth_;
};

} // namespace zarva::gui
