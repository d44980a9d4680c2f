#include "gui/view/ScreenshotSetup.h"

#include "gui/app/CZarvaDoc.h"
#include "gui/app/CommandLine.h"
#include "gui/view/CZarvaView.h"

#include "core/document/AnnotateOption.h"
#include "core/model/StringTable.h"
#include "core/model/TextFormat.h"

namespace zarva::gui {
namespace {

constexpr int kWrongValue = 4023;

} // namespace

QString ApplyScreenshotView(CZarvaView& view, const ScreenshotView& options)
{
    CZarvaDoc& document = view.Document();
    Oscillogram& record = document.Core().oscillogram;
    if (!options.select.isEmpty()) {
        for (Channel& channel : record.channels)
            channel.selected = false;
        for (const QString& name : options.select) {
            try {
                record.channels[record.FindChannel(name.toStdString())].selected = true;
            } catch (const std::exception& error) {
                return QString::fromStdString(error.what()) + QStringLiteral(" - ") + name;
            }
        }
    }
    if (options.readouts) {
        constexpr std::uint32_t kReadouts = display::kReadMinMax | display::kReadRms | display::kReadFirstHarmonic;
        for (Channel& channel : record.channels) {
            if (channel.selected)
                channel.displayFlags = (channel.displayFlags & ~kReadouts) | *options.readouts;
        }
    }
    if (options.ruler)
        view.SetRulerUnit(static_cast<RulerUnit>(*options.ruler));
    if (options.xScale)
        view.SetXScale(*options.xScale);
    if (options.firstSample)
        view.SetFirstSample(*options.firstSample);
    if (!options.annotate.isEmpty()) {
        std::string failed;
        const auto added = ParseAnnotateOption(options.annotate.toStdString(), record, failed);
        if (!added)
            return QString::fromStdString(FormatText(Text(kWrongValue), {"--annotate", failed}));
        std::vector<Annotation> items = document.Core().annotations.Items();
        items.insert(items.end(), added->begin(), added->end());
        document.Core().annotations.Assign(std::move(items));
    }
    CursorSet cursors = document.Core().cursors;
    for (const auto& [index, sample] : options.cursors)
        cursors.PlaceVertical(index, sample, record.SampleCount());
    document.SetCursors(cursors);
    document.NotifyRecordChanged();
    return {};
}

} // namespace zarva::gui
