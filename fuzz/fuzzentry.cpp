#include "properties.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// One libFuzzer executable per target; FUZZ_TARGET names which one this build runs.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const auto target = std::find_if(fuzzing::targets().begin(), fuzzing::targets().end(),
                                            [](const fuzzing::Target &t) { return std::strcmp(t.name, FUZZ_TARGET) == 0; });
    if (target == fuzzing::targets().end()) {
        std::fprintf(stderr, "no fuzz target named %s\n", FUZZ_TARGET);
        std::abort();
    }
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString fault = target->check(bytes);
    if (!fault.isEmpty()) {
        std::fprintf(stderr, "%s: %s\n", FUZZ_TARGET, qPrintable(fault));
        std::abort();
    }
    return 0;
}
