// A datagram heard on the discovery group, read as a "ResponseToFind" answer.
#include "fuzzinput.h"

#include "net/discovery.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (const std::optional<discovery::Answer> answer =
            discovery::parseResponseToFind(fuzz::bytesOf(data, size)))
        discovery::entryText(*answer);
    return 0;
}
