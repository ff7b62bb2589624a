// libFuzzer target for one of the checks in Properties.h, named at build time by
// KESTROW_FUZZ_CHECK (scripts/fuzz.sh builds one program per check). A fault aborts
// with its description, and libFuzzer keeps the input.
#include <cstdio>
#include <cstdlib>

#include "fuzz/Properties.h"

#ifndef KESTROW_FUZZ_CHECK
#error "build with -DKESTROW_FUZZ_CHECK=<a check from fuzz/Properties.h>"
#endif

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string fault = fuzzcheck::KESTROW_FUZZ_CHECK(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!fault.empty()) {
        std::fprintf(stderr, "%s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
