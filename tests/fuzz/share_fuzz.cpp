// Fuzzing shared addresses: any bytes as a recording's text come back from their code exactly,
// and any bytes as a code are read without a crash, a hang or more than the bound coming out.
#include <cstdlib>
#include <string>

#include "scenario/sharecode.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    sky::share::Fault fault;
    const auto code = sky::share::encode(bytes);
    if (!code || sky::share::decode(*code, fault) != bytes) std::abort();
    const auto text = sky::share::decode(bytes, fault);
    if (text.has_value() != (fault == sky::share::Fault::None)) std::abort();
    if (text && text->size() > sky::share::kLongestText) std::abort();
    return 0;
}
