#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// What a second start of the editor sends to the running one: the files it was asked to open
// (absolute paths, UTF-8; none just brings the editor to the front).
std::string EncodeOpenRequest(const std::vector<std::string>& files);

enum class DecodeResult { Incomplete, Complete, Invalid };
// Reads a request as far as it has arrived; `files` is filled when Complete. Anything that is not
// a request (another program on the socket, a damaged or absurd message) is Invalid.
DecodeResult DecodeOpenRequest(std::string_view bytes, std::vector<std::string>& files);

// The byte the running editor answers with once it has taken the request.
inline constexpr char kOpenRequestTaken = '+';

// The socket a user's editors meet at: $QUILLMARK_INSTANCE_SOCKET when set (tests, trials), else
// "quillmark.socket" in the user's runtime folder, else a name of its own per user in /tmp.
std::string InstanceSocketPath(const std::optional<std::string>& overrideVariable,
                               const std::optional<std::string>& runtimeFolder, unsigned userId);

}  // namespace qm
