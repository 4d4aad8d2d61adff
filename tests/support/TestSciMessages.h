// Component messages the tests send that the editor itself never does.
#pragma once

#include <cstdint>

namespace sci {

inline constexpr std::uint32_t SCI_INSERTTEXT = 2003;
inline constexpr std::uint32_t SCI_GETANCHOR = 2009;
inline constexpr std::uint32_t SCI_GETCURLINE = 2027;
inline constexpr std::uint32_t SCI_SETSTYLINGEX = 2073;
inline constexpr std::uint32_t SCI_SETLINESTATE = 2092;
inline constexpr std::uint32_t SCI_GETTEXTRANGE = 2162;
inline constexpr std::uint32_t SCI_CANUNDO = 2174;
inline constexpr std::uint32_t SCI_UNDO = 2176;
inline constexpr std::uint32_t SCI_DELETEBACK = 2326;
inline constexpr std::uint32_t SCI_REPLACETARGET = 2194;
inline constexpr std::uint32_t SCI_REPLACETARGETRE = 2195;
inline constexpr std::uint32_t SCI_WRAPCOUNT = 2235;
inline constexpr std::uint32_t SCI_MARGINSETSTYLE = 2532;
inline constexpr std::uint32_t SCI_MARGINSETSTYLES = 2534;
inline constexpr std::uint32_t SCI_ANNOTATIONSETSTYLE = 2542;
inline constexpr std::uint32_t SCI_SETSELECTION = 2572;
inline constexpr std::uint32_t SCI_ADDSELECTION = 2573;
inline constexpr std::uint32_t SCI_SETMAINSELECTION = 2574;
inline constexpr std::uint32_t SCI_SETSELECTIONNCARET = 2576;
inline constexpr std::uint32_t SCI_GETSELECTIONNCARETVIRTUALSPACE = 2581;
inline constexpr std::uint32_t SCI_SETSELECTIONNSTART = 2584;
inline constexpr std::uint32_t SCI_SETSELECTIONNEND = 2586;
inline constexpr std::uint32_t SCI_SETFIRSTVISIBLELINE = 2613;
inline constexpr std::uint32_t SCI_DELETERANGE = 2645;
inline constexpr std::uint32_t SCI_ADDTABSTOP = 2676;
inline constexpr std::uint32_t SCI_TOGGLEFOLDSHOWTEXT = 2700;
inline constexpr std::uint32_t SCI_COLOURISE = 4003;

}  // namespace sci
