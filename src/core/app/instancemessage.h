#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// What a later start of the editor asks the running one for: the files it was asked to open
// (UTF-8; none just brings the editor to the front) and the folder it was started in, against
// which relative names are meant.
struct OpenRequest {
    std::string folder;  // empty in a request of the first form, which carried absolute paths only
    std::vector<std::string> files;
};

std::string EncodeOpenRequest(const std::vector<std::string>& files, const std::string& folder);

enum class DecodeResult { Incomplete, Complete, Invalid };
// Reads a request (either form) as far as it has arrived; `request` is filled when Complete.
// Anything that is not a request (another program on the socket, a damaged or absurd message)
// is Invalid.
DecodeResult DecodeOpenRequest(std::string_view bytes, OpenRequest& request);

// The absolute paths to open: relative names resolved against the sender's folder. A relative
// name without an absolute sender's folder is left out, as the editor's own folder is not the
// one the user meant.
std::vector<std::string> RequestedPaths(const OpenRequest& request);

// The byte the running editor answers with once it has taken the request.
inline constexpr char kOpenRequestTaken = '+';

// The socket a user's editors meet at: $QUILLMARK_INSTANCE_SOCKET when set (tests, trials), else
// "quillmark.socket" in the user's runtime folder, else in a folder of the user's own in /tmp.
// The start-up lock lies beside it.
std::string InstanceSocketPath(const std::optional<std::string>& overrideVariable,
                               const std::optional<std::string>& runtimeFolder, unsigned userId);

// Makes the folder (private to the user) when it is missing; true when it is then a folder, not
// a link, owned by the user and writable by nobody else, so no other user can put a socket or
// lock file there.
bool MakeUserOnlyFolder(const std::string& folder, unsigned userId);

}  // namespace qm
