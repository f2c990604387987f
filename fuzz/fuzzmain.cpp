// The libFuzzer entry of a program built from exactly one target file.
#include "fuzztarget.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    qm::fuzz::Targets().front().fn(data, size);
    return 0;
}
