// The display settings file edset.ini: whether colour highlighting is on and which parts of a
// highlighted word are bold, kept from one run to the next.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct AppState;

inline constexpr std::string_view kDisplaySettingsFileName = "edset.ini";

enum BoldModeValue : std::uint8_t { BoldNone = 0, BoldSome = 1, BoldAll = 2 };

struct DisplaySettings {
    bool colorOn = true;
    std::uint8_t boldMode = BoldNone;

    friend bool operator==(const DisplaySettings&, const DisplaySettings&) = default;
};

// Plain case-sensitive substring searches over the whole text: "COLOR=OFF" anywhere turns
// colour off; "BOLD=SOME" anywhere gives BoldSome, else "BOLD=ALL" gives BoldAll, else BoldNone.
DisplaySettings DisplaySettingsFromText(std::string_view text);

// The two lines joined by CR LF, with no line end after the second.
std::string DisplaySettingsText(const DisplaySettings& settings);

// The settings the file gives: the defaults when there is no such regular file; current when it
// is there but cannot be read.
DisplaySettings ReadDisplaySettingsFile(const AppState& app, const DisplaySettings& current);

// Replaces the file atomically; on false the old file is as it was.
bool WriteDisplaySettingsFile(const AppState& app, const DisplaySettings& settings);
