#include "core/app/memorylimit.h"

#include <gtest/gtest.h>

#include <map>

#include "core/app/safefile.h"

using namespace qm;

namespace {
MemoryFacts FromFiles(const std::map<std::string, std::string>& files, MemoryFacts facts = {}) {
    ReadMemoryFiles(
        [&files](const std::string& path) -> std::optional<std::string> {
            const auto it = files.find(path);
            return it == files.end() ? std::nullopt : std::optional(it->second);
        },
        facts);
    return facts;
}

constexpr std::uint64_t GB = 1ull << 30, MB = 1ull << 20;
const std::string kStatus = "Name:\tquillmark\nVmPeak:\t  900000 kB\nVmSize:\t  524288 kB\nVmData:\t  262144 kB\n";
}  // namespace

TEST(MemoryLimit, TheTightestOfMachineGroupsAndResourceLimitsCounts) {
    // A version 2 group with no limit of its own inside a slice of 2 GB, whose use is partly file cache.
    const std::map<std::string, std::string> v2 = {
        {"/proc/self/status", kStatus},
        {"/proc/self/cgroup", "0::/user.slice/app.scope\n"},
        {"/sys/fs/cgroup/user.slice/app.scope/memory.max", "max\n"},
        {"/sys/fs/cgroup/user.slice/app.scope/memory.current", "104857600\n"},
        {"/sys/fs/cgroup/user.slice/memory.max", "2147483648\n"},
        {"/sys/fs/cgroup/user.slice/memory.current", "943718400\n"},
        {"/sys/fs/cgroup/user.slice/memory.stat", "anon 5\nactive_file 104857600\ninactive_file 314572800\n"},
    };
    MemoryFacts facts;
    facts.physical = 64 * GB;
    facts = FromFiles(v2, facts);
    EXPECT_EQ(facts.addressSpaceUsed, 512 * MB);
    EXPECT_EQ(facts.dataUsed, 256 * MB);
    EXPECT_EQ(UsableMemory(facts), 2 * GB - 500 * MB);  // 900 MB in use, 400 MB of it cache
    EXPECT_EQ(FileLimitFor(facts), (2 * GB - 500 * MB) / 30);  // a 300 MB file no longer fits

    facts.addressSpaceLimit = 1 * GB;  // prlimit --as: what is mapped already counts against it
    EXPECT_EQ(UsableMemory(facts), 512 * MB);
    facts.dataLimit = 300 * MB;
    EXPECT_EQ(UsableMemory(facts), 44 * MB);
    facts.dataLimit = 100 * MB;  // more in use than allowed: no room at all, not an underflow
    EXPECT_EQ(UsableMemory(facts), 0u);
    EXPECT_EQ(FileLimitFor(facts), 1 * MB);  // a small script is still tried

    // Version 1 inside a container: the host's path is not there, the container's own group is.
    const std::map<std::string, std::string> v1 = {
        {"/proc/self/cgroup", "12:memory:/docker/4f2a\n5:cpu,cpuacct:/docker/4f2a\n0::/\n"},
        {"/sys/fs/cgroup/memory/memory.limit_in_bytes", "1073741824"},
        {"/sys/fs/cgroup/memory/memory.usage_in_bytes", "536870912"},
        {"/sys/fs/cgroup/memory/memory.stat", "cache 1\ntotal_active_file 134217728\ntotal_inactive_file 134217728\n"},
        {"/sys/fs/cgroup/memory.max", "1024\n"},  // version 2 files are not read beside version 1
        {"/sys/fs/cgroup/memory.current", "0\n"},
    };
    EXPECT_EQ(UsableMemory(FromFiles(v1)), 768 * MB);
    // A container that has built a lot sits at its limit, nearly all of it file cache in use:
    // that is room, not a reason to refuse every file.
    const MemoryFacts full = FromFiles({{"/proc/self/cgroup", "0::/ci\n"},
                                        {"/sys/fs/cgroup/ci/memory.max", "8589934592\n"},
                                        {"/sys/fs/cgroup/ci/memory.current", "8589934592\n"},
                                        {"/sys/fs/cgroup/ci/memory.stat", "anon 1073741824\nfile 7516192768\n"
                                                                          "active_file 6442450944\ninactive_file 1073741824\n"}});
    EXPECT_EQ(UsableMemory(full), 7 * GB);
    // Version 1 without a limit writes a huge number: the machine's memory decides.
    MemoryFacts unlimited;
    unlimited.physical = 8 * GB;
    unlimited = FromFiles({{"/proc/self/cgroup", "3:memory:/\n"},
                           {"/sys/fs/cgroup/memory/memory.limit_in_bytes", "9223372036854771712\n"},
                           {"/sys/fs/cgroup/memory/memory.usage_in_bytes", "1000\n"}},
                          unlimited);
    EXPECT_EQ(FileLimitFor(unlimited), 8 * GB / 20);
    unlimited.groups.clear();
    EXPECT_EQ(UsableMemory(unlimited), std::nullopt);
    EXPECT_EQ(FileLimitFor(unlimited), LimitForMemory(8 * GB));
}

TEST(MemoryLimit, MissingOrMalformedFilesAreIgnored) {
    EXPECT_EQ(UsableMemory(FromFiles({})), std::nullopt);
    EXPECT_EQ(FileLimitFor(FromFiles({})), LimitForMemory(0));  // nothing known: as if 4 GB
    const MemoryFacts junk = FromFiles({
        {"/proc/self/status", "VmSize: lots kB\nVmData:\n"},
        {"/proc/self/cgroup", "garbage\n0::\n"},
        {"/sys/fs/cgroup/memory.max", "-5\n"},
        {"/sys/fs/cgroup/memory.current", "12\n"},
    });
    EXPECT_EQ(junk.addressSpaceUsed, 0u);
    EXPECT_TRUE(junk.groups.empty());
    EXPECT_EQ(UsableMemory(junk), std::nullopt);
    EXPECT_EQ(FromFiles({{"/proc/self/cgroup", "0::/../../outside\n"}}).groups.size(), 0u);

    // This process's own limit is real and no larger than a twentieth of the machine.
    const std::uint64_t limit = ReadableFileLimit();
    EXPECT_GT(limit, 0u);
    const MemoryFacts now = CurrentMemoryFacts();
    if (now.physical) EXPECT_LE(limit, now.physical / 20);
}
