// The two toolbar layouts.
#include "app/MainLayout.h"

ToolbarLayout ToolbarLayoutForWidth(int windowWidthTwips)
{
    if (windowWidthTwips < 9645)
        return {660, 50, 300};
    return {360, 2950, 0};
}
