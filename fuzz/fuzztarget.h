#pragma once
// One fuzz target is one function over bytes. The same file builds a libFuzzer program (with
// fuzzmain.cpp) and joins the replay test of the normal suite, which feeds it every seed and
// every input that once crashed it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace qm::fuzz {

using TargetFn = void (*)(const uint8_t* data, size_t size);

struct Target {
    const char* name;
    TargetFn fn;
};

inline std::vector<Target>& Targets() {
    static std::vector<Target> targets;
    return targets;
}

struct Registration {
    Registration(const char* name, TargetFn fn) { Targets().push_back({name, fn}); }
};

// Splits the input into `parts` pieces at the separator "\x1e\n" (missing pieces are empty).
inline std::vector<std::string> SplitParts(const uint8_t* data, size_t size, size_t parts) {
    std::vector<std::string> out(parts);
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    for (size_t i = 0; i < parts; ++i) {
        const size_t at = i + 1 < parts ? rest.find("\x1e\n") : std::string_view::npos;
        out[i] = std::string(rest.substr(0, at));
        if (at == std::string_view::npos) break;
        rest.remove_prefix(at + 2);
    }
    return out;
}

// Choices drawn from the input's tail, so that a plain data file is a good seed: its last few
// bytes steer the actions and the rest is read as the file.
class TailReader {
public:
    TailReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    uint8_t Byte() { return m_size ? m_data[--m_size] : 0; }
    bool Bool() { return Byte() & 1; }
    int Int() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = (v << 8) | Byte();
        return static_cast<int>(v);
    }
    std::vector<uint8_t> Bytes(size_t n) {
        std::vector<uint8_t> out;
        while (n-- && m_size) out.push_back(Byte());
        return out;
    }
    std::string Rest() { return std::string(reinterpret_cast<const char*>(m_data), m_size); }

private:
    const uint8_t* m_data;
    size_t m_size;
};

[[noreturn]] inline void Fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: fuzz check failed: %s\n", file, line, what);
    std::abort();
}

}  // namespace qm::fuzz

// A property every input must keep; a broken one is a crash the fuzzer reports.
#define QM_FUZZ_CHECK(cond) \
    do {                     \
        if (!(cond)) ::qm::fuzz::Fail(#cond, __FILE__, __LINE__); \
    } while (0)

#define QM_FUZZ_TARGET(name)                                                          \
    static void QmFuzz_##name(const uint8_t* data, size_t size);                      \
    static ::qm::fuzz::Registration qmFuzzRegistration_##name(#name, &QmFuzz_##name); \
    static void QmFuzz_##name(const uint8_t* data, size_t size)
