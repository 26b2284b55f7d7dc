#pragma once

#include <string>
#include <string_view>
#include <vector>

// The hand-over between two launches of the desktop program in one desktop session: a later
// launch sends its project paths over a local socket to the program already running and waits
// for it to acknowledge. The socket lives in the user's private runtime folder, one per display,
// so it is never shared with another user or another session.

// The acknowledgement the running program sends once it has the whole request.
inline constexpr std::string_view kHandOverAcknowledge = "ok\n";
// A request longer than this is not a list of paths: the connection is dropped.
inline constexpr size_t kMaxHandOverRequestBytes = 64 * 1024;

// The request for the paths: one "open PATH" line each, then an empty line. Empty when a path
// cannot be sent (empty, holding a line break or a NUL byte, or the request too long).
std::string HandOverRequest(const std::vector<std::string>& paths);

enum class EHandOverRequest {
    Incomplete, // more bytes are needed
    Complete,   // ended by the empty line; paths holds the paths in order
    Refused,    // too long, or a line that is not "open PATH"
};
// Reads the bytes received so far.
EHandOverRequest ParseHandOverRequest(std::string_view bytes, std::vector<std::string>& paths);

// The user's runtime folder ($XDG_RUNTIME_DIR) when it is safe for the socket: an absolute path
// to a folder (not a link) owned by this user that nobody else may enter or write. Otherwise
// empty, with the reason.
std::string PrivateRuntimeFolder(std::string& reason);
// The socket's path for a display ($WAYLAND_DISPLAY or $DISPLAY) in a private folder; empty
// without a folder or a display.
std::string HandOverSocketPath(const std::string& folder, const std::string& display);
