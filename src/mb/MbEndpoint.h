// Endpoint folder and endpoint names of the inter-process messages (Unix stream sockets).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mb {

// $XDG_RUNTIME_DIR/mbinterproc, or mbinterproc-<uid> in the temporary folder when
// XDG_RUNTIME_DIR is unset or empty. Not checked.
std::string EndpointFolderPath();

// Creates folder with mode 0700 when missing. The folder is usable only when it is a
// real directory (not a symlink) owned by this user and closed to group and others.
bool PrepareEndpointFolder(const std::string& folder);

// EndpointFolderPath(), prepared; nothing when refused.
std::optional<std::string> EndpointFolder();

// ASCII lower case; names are compared without regard to case.
std::string LowerName(std::string_view name);

// A usable endpoint name: not empty, not "." or "..", no '/' or NUL, valid UTF-8 (the
// socket layer takes the path as Unicode), and short enough for the socket address
// together with folder.
bool IsValidEndpointName(std::string_view name, std::string_view folder);

std::string EndpointPath(std::string_view folder, std::string_view lowerName);

enum class EndpointState {
    Absent,   // nothing at the path
    Stale,    // a socket file nobody listens on
    Live,     // a socket that accepts connections (or is busy accepting them)
    Foreign,  // something at the path that is not a socket
};

// Looks at path without blocking: a non-blocking connect tells live from stale.
EndpointState ProbeEndpoint(const std::string& path);

// True when a valid name has a listener that accepts connections in the usable folder.
bool EndpointIsLive(std::string_view name);

// Removes the socket files "<prefix><pid>" in folder whose process has ended (killed before it
// could close its endpoint); the endpoints of running processes stay.
void RemoveEndpointsOfEndedProcesses(const std::string& folder, std::string_view prefix);

}  // namespace mb
