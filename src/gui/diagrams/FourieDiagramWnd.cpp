#include "gui/diagrams/FourieDiagramWnd.h"

#include "gui/app/CZarvaDoc.h"
#include "gui/app/CommandActions.h"
#include "gui/app/Texts.h"
#include "gui/diagrams/DiagramIds.h"
#include "gui/diagrams/DiagramColours.h"
#include "gui/diagrams/FourieDiagramPainter.h"
#include "gui/diagrams/FourieDiagramSettingsDlg.h"

#include "core/diagrams/DiagramTexts.h"
#include "core/model/Oscillogram.h"

#include <QMenu>
#include <QPainter>

namespace zarva::gui {
namespace {

using namespace diagram_cmd;

QStringList FrequencyLabels(const Oscillogram& record, const FrequencyChartSettings& settings)
{
    QStringList labels;
    for (int line = 0; line <= settings.numHarmonics; ++line)
        labels.append(QString::fromStdString(LineFrequencyLabel(line, record.lineFrequency, settings.numPeriods)));
    return labels;
}

} // namespace

FourieDiagramWnd::FourieDiagramWnd(QWidget* parent)
    : DiagramWnd({display::kOnFrequencyDiagram, [](const Channel& channel) { return channel.IsAnalog(); },
                  ShowAllOnFrequencyDiagram},
                 parent)
{
    setObjectName(QStringLiteral("FourieDiagramWnd"));
    OnCommand(kFrequencySettings, [this] { EditSettings(); }, [this] { return WithRecord(); });
}

void FourieDiagramWnd::ReadSettings(CZarvaDoc& document)
{
    settings_ = ReadFrequencyChart(document.Core().settings, document.Core().oscillogram);
    computed_.reset();
}

void FourieDiagramWnd::Refresh()
{
    computed_.reset();
    DiagramWnd::Refresh();
}

void FourieDiagramWnd::ApplySettings(const FrequencyChartSettings& settings)
{
    if (Document() == nullptr)
        return;
    settings_ = settings;
    WriteFrequencyChart(Document()->Core().settings, settings_);
    RecordChanged();
}

void FourieDiagramWnd::EditSettings()
{
    if (Document() == nullptr)
        return;
    FourieDiagramSettingsDlg dialog(settings_, Document()->Core().oscillogram, this);
    if (dialog.exec() == QDialog::Accepted)
        ApplySettings(dialog.Settings());
}

void FourieDiagramWnd::FillOwnMenu(QMenu& menu)
{
    FillChannelsMenu(*menu.addMenu(CommandShortTip(kChannelsMenu)));
    AddCommandEntry(menu, kFrequencySettings, CommandShortTip(kFrequencySettings));
}

std::vector<SpectrumChart> FourieDiagramWnd::Charts(const Oscillogram& record)
{
    const std::int64_t sample = CursorOneSample();
    const std::vector<std::size_t> channels = FrequencyChannels(record);
    if (!computed_ || computed_->sample != sample || computed_->settings != settings_ || computed_->channels != channels) {
        Computed fresh{sample, settings_, channels, {}};
        for (const std::size_t i : channels)
            fresh.spectra.push_back(ComputeSpectrum(record.channels[i], sample, settings_));
        computed_ = std::move(fresh);
    }
    std::vector<SpectrumChart> charts;
    for (std::size_t c = 0; c < channels.size(); ++c) {
        const Spectrum& spectrum = computed_->spectra[c];
        SpectrumChart chart{ChannelColourOf(record, channels[c]),
                            QString::fromStdString(ChartCaption(record.channels[channels[c]].Name(), settings_)),
                            spectrum.amplitudes, spectrum.largest, {}};
        for (std::size_t line = 0; line < spectrum.amplitudes.size(); ++line)
            chart.valueLabels.append(QString::fromStdString(BarLabel(BarValue(spectrum, line, settings_))));
        charts.push_back(std::move(chart));
    }
    return charts;
}

std::vector<ChartLayout> FourieDiagramWnd::LayoutAt(QSize size)
{
    if (Document() == nullptr)
        return {};
    QImage device(size, QImage::Format_RGB32);
    QPainter painter(&device);
    return FourieDiagramPainter(painter, Font(), true).Layout(device.rect(), Charts(Document()->Core().oscillogram));
}

void FourieDiagramWnd::DrawDiagram(QPainter& painter, const QRect& rect, bool screen, const QFont& font,
                                   const Oscillogram& record)
{
    std::vector<SpectrumChart> charts;
    try {
        charts = Charts(record);
    } catch (const std::exception&) {
        // A record without whole samples per period has no spectrum: the window stays empty.
    }
    FourieDiagramPainter(painter, font, screen).Draw(rect, charts, FrequencyLabels(record, settings_));
}

} // namespace zarva::gui
