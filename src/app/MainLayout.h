// Where the toolbar strip puts its second group when the main window is narrow or wide.
#pragma once

struct ToolbarLayout {
    int stripHeightTwips = 0;  // height of pic1
    int frameLeftTwips = 0;    // position of Frame1 inside pic1
    int frameTopTwips = 0;
    bool operator==(const ToolbarLayout&) const = default;
};

// Below 9645 twips the path box and Talvane button go to a second row.
ToolbarLayout ToolbarLayoutForWidth(int windowWidthTwips);
