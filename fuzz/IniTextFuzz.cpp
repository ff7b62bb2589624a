// libFuzzer target: INI reading never fails and a write reads back without disturbing
// other names.
#include <cstdio>
#include <cstdlib>

#include "fuzz/Properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string fault = fuzzcheck::CheckIni(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!fault.empty()) {
        std::fprintf(stderr, "%s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
