#include "core/view/CommentBoxes.h"

#include <algorithm>

namespace zarva {
namespace {

constexpr int kOffset = 4;  // pixels between an item and its box
constexpr int kSpacing = 2;  // pixels between boxes stacked on each other

bool Overlap(const PixelRect& a, const PixelRect& b)
{
    return a.left < b.Right() + kSpacing && b.left < a.Right() + kSpacing && a.top < b.Bottom() + kSpacing &&
           b.top < a.Bottom() + kSpacing;
}

} // namespace

std::optional<PixelRect> CommentBoxPlace(int kind, const AnnotationShape& shape, int width, int height,
                                         const PixelRect& plot)
{
    if (shape.x1 < plot.left || shape.x0 > plot.Right() || shape.y1 < plot.top || shape.y0 > plot.Bottom())
        return std::nullopt;
    const int left = std::max(shape.x0, plot.left) + kOffset;
    if (kind == 1)
        return PixelRect{shape.x0 + kOffset, plot.top + kOffset, width, height};
    if (kind == 2) {
        const int above = shape.y0 - kOffset - height;
        return PixelRect{left, above >= plot.top ? above : shape.y0 + kOffset, width, height};
    }
    return PixelRect{left, std::max(shape.y0, plot.top) + kOffset, width, height};
}

std::vector<PixelRect> LayOutCommentBoxes(const std::vector<PixelRect>& wanted, const PixelRect& plot)
{
    std::vector<PixelRect> placed;
    placed.reserve(wanted.size());
    for (PixelRect box : wanted) {
        box.left = std::clamp(box.left, plot.left, std::max(plot.left, plot.Right() - box.width));
        box.top = std::clamp(box.top, plot.top, std::max(plot.top, plot.Bottom() - box.height));
        // Each move goes below an earlier box, so the search ends after as many moves as boxes.
        for (auto covered = placed.begin(); covered != placed.end();) {
            if (Overlap(box, *covered)) {
                box.top = covered->Bottom() + kSpacing;
                covered = placed.begin();
            } else {
                ++covered;
            }
        }
        placed.push_back(box);
    }
    return placed;
}

} // namespace zarva
