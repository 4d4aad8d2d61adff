// Message numbers of the editing component, as the editor uses them.
#pragma once

#include <cstdint>

namespace sci {

inline constexpr std::uint32_t SCI_ADDTEXT = 2001;
inline constexpr std::uint32_t SCI_GETLENGTH = 2006;
inline constexpr std::uint32_t SCI_GETCHARAT = 2007;
inline constexpr std::uint32_t SCI_GETCURRENTPOS = 2008;
inline constexpr std::uint32_t SCI_GETSTYLEAT = 2010;
inline constexpr std::uint32_t SCI_GETSTYLEDTEXT = 2015;
inline constexpr std::uint32_t SCI_SETUNDOCOLLECTION = 2012;
inline constexpr std::uint32_t SCI_SETSAVEPOINT = 2014;
inline constexpr std::uint32_t SCI_GOTOLINE = 2024;
inline constexpr std::uint32_t SCI_GOTOPOS = 2025;
inline constexpr std::uint32_t SCI_GETENDSTYLED = 2028;
inline constexpr std::uint32_t SCI_STARTSTYLING = 2032;
inline constexpr std::uint32_t SCI_SETSTYLING = 2033;
inline constexpr std::uint32_t SCI_STYLECLEARALL = 2050;
inline constexpr std::uint32_t SCI_STYLESETFORE = 2051;
inline constexpr std::uint32_t SCI_STYLESETBACK = 2052;
inline constexpr std::uint32_t SCI_STYLESETBOLD = 2053;
inline constexpr std::uint32_t SCI_STYLESETSIZE = 2055;
inline constexpr std::uint32_t SCI_SETSTYLEBITS = 2090;
inline constexpr std::uint32_t SCI_SETSELECTIONSTART = 2142;
inline constexpr std::uint32_t SCI_GETSELECTIONSTART = 2143;
inline constexpr std::uint32_t SCI_SETSELECTIONEND = 2144;
inline constexpr std::uint32_t SCI_GETSELECTIONEND = 2145;
inline constexpr std::uint32_t SCI_GETFIRSTVISIBLELINE = 2152;
inline constexpr std::uint32_t SCI_GETLINE = 2153;
inline constexpr std::uint32_t SCI_GETLINECOUNT = 2154;
inline constexpr std::uint32_t SCI_GETMODIFY = 2159;
inline constexpr std::uint32_t SCI_SETSEL = 2160;
inline constexpr std::uint32_t SCI_LINEFROMPOSITION = 2166;
inline constexpr std::uint32_t SCI_POSITIONFROMLINE = 2167;
inline constexpr std::uint32_t SCI_SCROLLCARET = 2169;
inline constexpr std::uint32_t SCI_REPLACESEL = 2170;
inline constexpr std::uint32_t SCI_EMPTYUNDOBUFFER = 2175;
inline constexpr std::uint32_t SCI_SETTEXT = 2181;
inline constexpr std::uint32_t SCI_GETTEXT = 2182;
inline constexpr std::uint32_t SCI_SETTARGETSTART = 2190;
inline constexpr std::uint32_t SCI_GETTARGETSTART = 2191;
inline constexpr std::uint32_t SCI_SETTARGETEND = 2192;
inline constexpr std::uint32_t SCI_GETTARGETEND = 2193;
inline constexpr std::uint32_t SCI_SEARCHINTARGET = 2197;
inline constexpr std::uint32_t SCI_SETSEARCHFLAGS = 2198;
inline constexpr std::uint32_t SCI_LINELENGTH = 2350;
inline constexpr std::uint32_t SCI_SETSTATUS = 2382;
inline constexpr std::uint32_t SCI_GETSTATUS = 2383;
inline constexpr std::uint32_t SCI_POSITIONBEFORE = 2417;
inline constexpr std::uint32_t SCI_POSITIONAFTER = 2418;
inline constexpr std::uint32_t SCI_ALLOCATE = 2446;
inline constexpr std::uint32_t SCI_STYLEGETFORE = 2481;
inline constexpr std::uint32_t SCI_STYLEGETBACK = 2482;
inline constexpr std::uint32_t SCI_STYLEGETBOLD = 2483;
inline constexpr std::uint32_t SCI_STYLEGETSIZE = 2485;
inline constexpr std::uint32_t SCI_SETLEXER = 4001;
inline constexpr std::uint32_t SCI_GETLEXER = 4002;
inline constexpr std::uint32_t WM_SETREDRAW = 11;
inline constexpr std::uint32_t EM_LINEINDEX = 187;

inline constexpr int SCN_STYLENEEDED = 2000;
inline constexpr int STYLE_DEFAULT = 32;
inline constexpr int SCLEX_CONTAINER = 0;
inline constexpr int SC_STATUS_OK = 0;
inline constexpr std::uint32_t SCI_SETCODEPAGE = 2037;
inline constexpr std::uint32_t SCI_GETCODEPAGE = 2137;
inline constexpr int SC_CP_UTF8 = 65001;

// Search flags of SCI_SETSEARCHFLAGS.
inline constexpr std::int32_t SCFIND_WHOLEWORD = 2;
inline constexpr std::int32_t SCFIND_MATCHCASE = 4;
inline constexpr std::int32_t SCFIND_REGEXP = 0x200000;

}  // namespace sci
