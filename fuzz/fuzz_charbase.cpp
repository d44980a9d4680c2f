// Feeds arbitrary text to the characteristic base loader as a base file, evaluates every
// block type it yields and builds every characteristic's regions at the scale the diagrams
// would choose and at extreme ones. Unreadable files and failed evaluations are messages; a
// crash, a hang, or a shape outside the guard frame is a fault.
#include "FuzzFolder.h"

#include "core/charbase/BaseLoader.h"
#include "core/charbase/ChartScale.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>

namespace {

void CheckShape(const zarva::DeviceShape& shape, const zarva::DeviceFrame& frame)
{
    const zarva::DeviceRect guard = zarva::GuardFrame(frame);
    for (const zarva::DevicePoint& p : shape.points) {
        if (p.x < guard.left || p.x > guard.right || p.y < guard.top || p.y > guard.bottom)
            std::abort();
    }
}

void DrawBlock(const zarva::BlockType& block, zarva::ChartKind kind)
{
    const double extent = zarva::VisibleExtent(block);
    if (!std::isfinite(extent) || extent < 0.0)
        std::abort();
    const double cell = zarva::GridCellPixels(96.0, 1.0);
    const double fitted = kind == zarva::ChartKind::Differential
                              ? zarva::DifferentialScale(extent, 400, cell, 1.0).pixelsPerUnit
                              : zarva::ComputeCircleScale({extent, 0.0, extent, cell, 10, 1.0, 1.0}).impedance.pixelsPerUnit;
    const zarva::DeviceFrame frames[] = {{fitted, 200, 150, {0, 0, 400, 300}},
                                         {1e-3, 0, 0, {-10, -10, 10, 10}},
                                         {1e6, -50, 3000, {10, 20, 30, 40}}};
    for (const zarva::Characteristic& characteristic : block.characteristics) {
        for (const zarva::DeviceFrame& frame : frames) {
            for (const bool on : {true, false}) {
                for (const zarva::RegionStep& step : zarva::RegionSteps(characteristic, on, frame))
                    CheckShape(step.shape, frame);
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::filesystem::path file = zarva::fuzz::FolderPath("fuzz_charbase") / "base.zrb";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    for (const zarva::ChartKind kind : {zarva::ChartKind::Circle, zarva::ChartKind::Differential}) {
        zarva::LoadedBases loaded = zarva::LoadBases({file}, kind);
        for (zarva::BlockType& block : loaded.blocks) {
            zarva::Recalculate(block);
            DrawBlock(block, kind);
        }
    }
    return 0;
}
