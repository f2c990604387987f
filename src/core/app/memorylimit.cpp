#include "core/app/memorylimit.h"

#include "core/app/safefile.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>
#include <string_view>

#ifndef _WIN32
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace qm {

namespace {
std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::optional<std::uint64_t> Number(std::string_view text) {
    text = Trimmed(text);
    std::uint64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// The value after "key" on a line of "key value" lines (as memory.stat), or after "key:" (as
// /proc/self/status, where the value is in kB).
std::optional<std::uint64_t> Field(std::string_view text, std::string_view key, std::uint64_t unit = 1) {
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        if (!line.starts_with(key)) continue;
        line.remove_prefix(key.size());
        if (line.empty() || (line[0] != ' ' && line[0] != '\t')) continue;
        std::string_view value = Trimmed(line);
        if (unit != 1 && value.ends_with("kB")) value = Trimmed(value.substr(0, value.size() - 2));
        if (const auto n = Number(value); n && *n <= UINT64_MAX / unit) return *n * unit;
        return std::nullopt;
    }
    return std::nullopt;
}

// "/a/b" -> "/a" -> "/": the group and each one above it, whose limits hold it too.
std::vector<std::string> GroupAndParents(std::string path) {
    std::vector<std::string> chain;
    while (!path.empty() && path.back() == '/' && path.size() > 1) path.pop_back();
    if (path.empty() || path[0] != '/') path = "/" + path;
    for (;;) {
        chain.push_back(path);
        if (path == "/") break;
        const size_t slash = path.rfind('/');
        path = slash == 0 ? "/" : path.substr(0, slash);
    }
    return chain;
}

// The file cache is counted in a group's use but given back under pressure, the pages in active
// use too: a group that has read a lot sits at its limit with most of it cache.
struct Hierarchy {
    std::string root, limitFile, usageFile, activeCacheKey, inactiveCacheKey;
};

void ReadGroups(const SystemFileReader& read, const Hierarchy& h, const std::string& path, MemoryFacts& facts) {
    for (const std::string& group : GroupAndParents(path)) {
        // Inside a container the path may name the host's groups: the ones missing here are skipped.
        if (group.find("/..") != std::string::npos) continue;
        const std::string dir = h.root + (group == "/" ? "" : group) + "/";
        const std::optional<std::string> limitText = read(dir + h.limitFile);
        const std::optional<std::string> usageText = read(dir + h.usageFile);
        if (!limitText || !usageText) continue;
        const std::optional<std::uint64_t> limit = Number(*limitText), used = Number(*usageText);
        if (!limit || !used) continue;  // "max": no limit at this level
        std::uint64_t reclaimable = 0;
        if (const std::optional<std::string> stat = read(dir + "memory.stat")) {
            const std::uint64_t active = Field(*stat, h.activeCacheKey).value_or(0);
            const std::uint64_t inactive = Field(*stat, h.inactiveCacheKey).value_or(0);
            reclaimable = active > UINT64_MAX - inactive ? UINT64_MAX : active + inactive;
        }
        facts.groups.push_back({*limit, *used - std::min(*used, reclaimable)});
    }
}
}  // namespace

std::optional<std::uint64_t> UsableMemory(const MemoryFacts& facts) {
    std::optional<std::uint64_t> least;
    const auto room = [&least](std::uint64_t limit, std::uint64_t used) {
        const std::uint64_t left = limit > used ? limit - used : 0;
        least = least ? std::min(*least, left) : left;
    };
    if (facts.addressSpaceLimit) room(*facts.addressSpaceLimit, facts.addressSpaceUsed);
    if (facts.dataLimit) room(*facts.dataLimit, facts.dataUsed);
    for (const MemoryFacts::Group& g : facts.groups) room(g.limit, g.used);
    return least;
}

std::uint64_t FileLimitFor(const MemoryFacts& facts) {
    const std::uint64_t machine = LimitForMemory(facts.physical);
    const std::optional<std::uint64_t> room = UsableMemory(facts);
    // A full group or a tight limit still lets a small file be tried: refusing a script of a few
    // lines as too large is never right, and a failed allocation while opening is caught.
    constexpr std::uint64_t kAlwaysTried = 1ull << 20;
    return room ? std::min(machine, std::max(*room / 30, kAlwaysTried)) : machine;
}

void ReadMemoryFiles(const SystemFileReader& read, MemoryFacts& facts) {
    if (const std::optional<std::string> status = read("/proc/self/status")) {
        facts.addressSpaceUsed = Field(*status, "VmSize:", 1024).value_or(0);
        facts.dataUsed = Field(*status, "VmData:", 1024).value_or(0);
    }
    const std::optional<std::string> cgroups = read("/proc/self/cgroup");
    if (!cgroups) return;
    // "id:controllers:path" lines; the memory controller of version 1 when it has one, else version 2's "0::path".
    std::optional<std::string> v1, v2;
    std::istringstream lines(*cgroups);
    for (std::string line; std::getline(lines, line);) {
        const size_t first = line.find(':'), second = first == std::string::npos ? first : line.find(':', first + 1);
        if (second == std::string::npos) continue;
        const std::string controllers = "," + line.substr(first + 1, second - first - 1) + ",";
        const std::string path = line.substr(second + 1);
        if (controllers.find(",memory,") != std::string::npos) v1 = path;
        else if (line.starts_with("0::")) v2 = path;
    }
    if (v1) ReadGroups(read, {"/sys/fs/cgroup/memory", "memory.limit_in_bytes", "memory.usage_in_bytes", "total_active_file",
                                  "total_inactive_file"}, *v1, facts);
    else if (v2) ReadGroups(read, {"/sys/fs/cgroup", "memory.max", "memory.current", "active_file", "inactive_file"}, *v2, facts);
}

MemoryFacts CurrentMemoryFacts() {
    MemoryFacts facts;
#ifndef _WIN32
    const long pages = sysconf(_SC_PHYS_PAGES), size = sysconf(_SC_PAGESIZE);
    if (pages > 0 && size > 0) facts.physical = static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(size);
    rlimit limit{};
    if (::getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) facts.addressSpaceLimit = limit.rlim_cur;
    if (::getrlimit(RLIMIT_DATA, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) facts.dataLimit = limit.rlim_cur;
    ReadMemoryFiles(
        [](const std::string& path) -> std::optional<std::string> {
            // These files are small and report a size of 0: read until the end, a few KB at most.
            std::ifstream in(path, std::ios::binary);
            if (!in) return std::nullopt;
            std::string text(64 * 1024, '\0');
            in.read(text.data(), static_cast<std::streamsize>(text.size()));
            text.resize(static_cast<size_t>(in.gcount()));
            return text;
        },
        facts);
#endif
    return facts;
}

}  // namespace qm
