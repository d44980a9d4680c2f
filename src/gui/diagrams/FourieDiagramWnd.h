#pragma once

#include "gui/diagrams/DiagramWnd.h"

#include "core/diagrams/FrequencyChart.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace zarva::gui {

struct ChartLayout;
struct SpectrumChart;

// The frequency diagram: for each chosen analog channel, a bar chart of its spectral lines over
// a window of whole periods at cursor 1, in percent of a base or in absolute values.
class FourieDiagramWnd : public DiagramWnd {
    Q_OBJECT
public:
    explicit FourieDiagramWnd(QWidget* parent = nullptr);

    const FrequencyChartSettings& Settings() const { return settings_; }
    // Stores accepted settings: written to the record, which is marked modified, and drawn.
    void ApplySettings(const FrequencyChartSettings& settings);
    // The charts DrawDiagram draws, one per participating channel.
    std::vector<SpectrumChart> Charts(const Oscillogram& record);

    void DrawDiagram(QPainter& painter, const QRect& rect, bool screen, const QFont& font,
                     const Oscillogram& record) override;
    // Where the screen picture at `size` puts each chart and its bars.
    std::vector<ChartLayout> LayoutAt(QSize size);

protected:
    void ReadSettings(CZarvaDoc& document) override;
    void FillOwnMenu(QMenu& menu) override;
    void Refresh() override;

private:
    void EditSettings();

    // The spectra of the last drawing, kept while neither the record, the cursor nor the
    // settings change: a long window over many lines is costly to recompute on every paint.
    struct Computed {
        std::int64_t sample = 0;
        FrequencyChartSettings settings;
        std::vector<std::size_t> channels;
        std::vector<Spectrum> spectra;
    };

    FrequencyChartSettings settings_;
    std::optional<Computed> computed_;
};

} // namespace zarva::gui
