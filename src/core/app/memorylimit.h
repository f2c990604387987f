#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qm {

// What limits the memory this process may take, as the system reports it.
struct MemoryFacts {
    std::uint64_t physical = 0;  // the machine's memory; 0 when unknown
    // RLIMIT_AS against the address space in use (VmSize), RLIMIT_DATA against the data in use (VmData).
    std::optional<std::uint64_t> addressSpaceLimit, dataLimit;
    std::uint64_t addressSpaceUsed = 0, dataUsed = 0;
    // The memory control groups holding the process, its own first: each one's limit and what
    // its members use, less the file cache the system gives back under pressure.
    struct Group {
        std::uint64_t limit = 0, used = 0;
    };
    std::vector<Group> groups;
};

// The least room left under the limits the process dies or fails at when it reaches them (its
// control groups, address-space and data limits); nothing when it has none.
std::optional<std::uint64_t> UsableMemory(const MemoryFacts& facts);

// The largest file worth opening: a twentieth of the machine's memory (LimitForMemory), and no
// more than a thirtieth of the room under the hard limits, but never less than a megabyte. An opened text was measured to take
// about twenty-two times its size in address space; the margin leaves room to edit it.
std::uint64_t FileLimitFor(const MemoryFacts& facts);

// Reads a whole small file of the system (under /proc or /sys); nullopt when there is none.
using SystemFileReader = std::function<std::optional<std::string>(const std::string& path)>;

// Fills the groups and the amounts in use from /proc/self/cgroup, /proc/self/status and the
// control group files (version 2 at /sys/fs/cgroup, or version 1's memory hierarchy), read through read.
void ReadMemoryFiles(const SystemFileReader& read, MemoryFacts& facts);

// The facts of this process now: its files, its resource limits and the machine's memory.
MemoryFacts CurrentMemoryFacts();

}  // namespace qm
