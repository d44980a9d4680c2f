#include "core/view/ViewSettings.h"

#include "core/model/TextFormat.h"
#include "core/storage/SettingsSection.h"
#include "core/view/ViewScale.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace zarva {
namespace {

constexpr const char* kXScaleKey = "XScale";
constexpr const char* kRulerKey = "RulerState";
constexpr const char* kRowKey = "YAnalogSize";
constexpr const char* kGridKey = "Sells";

// Rows stay within what the zoom steps reach from either limit.
constexpr int kLeastRow = 20;
constexpr int kGreatestRow = 1000;

} // namespace

void ReadViewSettings(const SettingsSection* view, double fitScale, ViewState& state)
{
    const double noScale = std::nan("");
    state.xScale = UsableScale(view != nullptr ? view->GetDouble(kXScaleKey, noScale) : noScale, fitScale);
    const int ruler = view != nullptr ? view->GetInt(kRulerKey, 1) : 1;
    state.rulerState = ruler >= 0 && ruler <= 4 ? static_cast<RulerUnit>(ruler) : RulerUnit::Milliseconds;
    const int row = view != nullptr ? view->GetInt(kRowKey, view::kDefaultYAnalogSize) : view::kDefaultYAnalogSize;
    state.yAnalogSize = std::clamp(row, kLeastRow, kGreatestRow);
    state.sells = view == nullptr || view->GetInt(kGridKey, 1) != 0;
}

void WriteViewSettings(const ViewState& state, SettingsSection& view)
{
    // Every digit: the scale is a power of two that six decimals would lose.
    view.SetString(kXScaleKey, ExactText(state.xScale));
    view.SetInt(kRulerKey, static_cast<int>(state.rulerState));
    view.SetInt(kRowKey, state.yAnalogSize);
    view.SetInt(kGridKey, state.sells ? 1 : 0);
}

} // namespace zarva
