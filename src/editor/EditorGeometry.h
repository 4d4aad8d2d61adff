// The size the component takes inside the editor window.
#pragma once

struct ComponentSize {
    int width = 0;
    int height = 0;
    bool operator==(const ComponentSize&) const = default;
};

// From the editor window's size in twips: W / 15 by H / 15 pixels, halves to even, never
// negative. The component fills the window: the Qt sub-window has no child frame to leave room for.
ComponentSize EditorComponentSize(int widthTwips, int heightTwips);
