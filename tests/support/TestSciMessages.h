// Component messages the tests send that the editor itself never does.
#pragma once

#include <cstdint>

namespace sci {

inline constexpr std::uint32_t SCI_INSERTTEXT = 2003, SCI_GETANCHOR = 2009, SCI_GETCURLINE = 2027,
                               SCI_SETSTYLINGEX = 2073, SCI_SETLINESTATE = 2092, SCI_GETTEXTRANGE = 2162,
                               SCI_CANUNDO = 2174, SCI_DELETEBACK = 2326, SCI_REPLACETARGET = 2194,
                               SCI_REPLACETARGETRE = 2195, SCI_WRAPCOUNT = 2235, SCI_MARGINSETSTYLE = 2532,
                               SCI_MARGINSETSTYLES = 2534, SCI_ANNOTATIONSETSTYLE = 2542, SCI_SETSELECTION = 2572,
                               SCI_ADDSELECTION = 2573, SCI_SETMAINSELECTION = 2574, SCI_SETSELECTIONNCARET = 2576,
                               SCI_GETSELECTIONNCARETVIRTUALSPACE = 2581, SCI_SETSELECTIONNSTART = 2584,
                               SCI_SETSELECTIONNEND = 2586, SCI_GETSELECTIONNCARET = 2577,
                               SCI_GETSELECTIONNSTART = 2585, SCI_SETTARGETRANGE = 2686, SCI_LINESONSCREEN = 2370,
                               SCI_STYLEGETFONT = 2486, SCI_SETFIRSTVISIBLELINE = 2613, SCI_DELETERANGE = 2645,
                               SCI_ADDTABSTOP = 2676, SCI_TOGGLEFOLDSHOWTEXT = 2700, SCI_COLOURISE = 4003;

}  // namespace sci
