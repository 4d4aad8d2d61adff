// Version and information texts.
#include "about/AboutText.h"

#include "editor/ComponentFailure.h"

std::string VersionText(int major, int minor, int revision)
{
    return "v" + std::to_string(major) + "." + std::to_string(minor) + " ." + std::to_string(revision);
}

std::string VarnotekVersionText()
{
    return VersionText(VARNOTEK_VERSION_MAJOR, VARNOTEK_VERSION_MINOR, VARNOTEK_VERSION_PATCH);
}

std::string InfoText()
{
    const std::string paragraph = "\r\n\r\n";
    return "We understand that many users will want to edit CNC files in the office on a desktop computer while "
           "their DNC software is running on a different computer \"out in the shop\" - and you really don't want "
           "to buy two copies of DNC software." +
           paragraph +
           "You may therefore make any copies of Varnotek 'Editor' as you wish and install them on any number of "
           "computers." +
           paragraph +
           "The best way to install Varnotek on other computers is by downloading and installing the full installer "
           "package from the Varnotek website at" +
           paragraph + ProductWebAddress + " or the Talvane website (" + TalvaneWebAddress + ")";
}
