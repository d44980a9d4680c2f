#pragma once

#include "core/charbase/Characteristic.h"

#include <vector>

namespace zarva::test {

// Whether a device point lies inside a shape, by the odd-even rule.
inline bool Covers(const DeviceShape& shape, PointF p)
{
    if (shape.kind == DeviceShape::Kind::Pixel) {
        const DevicePoint& pixel = shape.points.front();
        return p.x >= pixel.x && p.x < pixel.x + 1 && p.y >= pixel.y && p.y < pixel.y + 1;
    }
    bool inside = false;
    const std::vector<DevicePoint>& v = shape.points;
    for (std::size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
        if ((v[i].y > p.y) != (v[j].y > p.y) &&
            p.x < v[j].x + (p.y - v[j].y) * double(v[i].x - v[j].x) / double(v[i].y - v[j].y))
            inside = !inside;
    }
    return inside;
}

// Whether a plane point lies in the region the steps build.
inline bool RegionCovers(const std::vector<RegionStep>& steps, PointF plane, const DeviceFrame& frame)
{
    const PointF p = MapToDevice(plane, frame);
    bool covered = false;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const bool here = Covers(steps[i].shape, p);
        if (i == 0) {
            covered = here;
            continue;
        }
        switch (steps[i].combine) {
        case Combine::And: covered = covered && here; break;
        case Combine::Or: covered = covered || here; break;
        case Combine::Xor: covered = covered != here; break;
        case Combine::Not: covered = covered && !here; break;
        }
    }
    return covered;
}

} // namespace zarva::test
