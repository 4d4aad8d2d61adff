// The component fills the editor window's client area.
#include "editor/EditorGeometry.h"

#include <algorithm>

#include "base/Twips.h"

ComponentSize EditorComponentSize(int widthTwips, int heightTwips)
{
    const auto side = [](int twips) { return int(std::max(0L, RoundHalfEven(double(twips) / TwipsPerPixel))); };
    return {side(widthTwips), side(heightTwips)};
}
