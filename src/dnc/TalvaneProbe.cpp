// The probe looks for Talvane's window-title endpoints; the files are looked for beside the editor.
#include "dnc/TalvaneProbe.h"

#include "base/AppState.h"
#include "base/FileAttributes.h"
#include "mb/MbEndpoint.h"

std::uint8_t GetTalvaneVersion()
{
    if (mb::EndpointIsLive("Talvane 4.1"))
        return 41;
    if (mb::EndpointIsLive("Talvane 5.0"))
        return 50;
    return 0;
}

bool TalvaneInstalled(const AppState& app) { return RegularFileExists(app.ProgramFile(TalvaneProgramFileName)); }

bool ProfileFileExists(const AppState& app) { return RegularFileExists(app.ProgramFile(ProfileFileName)); }
