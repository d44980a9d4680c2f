#pragma once

#include "core/view/AnnotationGeometry.h"

#include <optional>
#include <vector>

namespace zarva {

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
    bool operator==(const PixelRect&) const = default;
};

// Where the comment box of an item of this kind (GetKind) wants to stand, `width` × `height`
// pixels large, in the plot area `plot`: right of a moment's line near the plot's top, above
// a level's line at its visible start (below it where there is no room above), inside an
// area's visible top left corner. None when the item lies outside the plot.
std::optional<PixelRect> CommentBoxPlace(int kind, const AnnotationShape& shape, int width, int height,
                                         const PixelRect& plot);

// The boxes laid out in order: each kept inside the plot as far as it fits, and moved down
// below every earlier box it would cover, so that every text stays readable.
std::vector<PixelRect> LayOutCommentBoxes(const std::vector<PixelRect>& wanted, const PixelRect& plot);

} // namespace zarva
