// Fuzz target: the icon list's stored form, read and written back.
#include "controls/images/AniCursor.h"
#include "controls/images/IconList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TIconList list;
    try {
        list.LoadFromBytes(data, size);
        const std::vector<std::uint8_t> again = list.SaveToBytes();
        TIconList back;
        back.LoadFromBytes(again.data(), again.size());
    } catch (const EReadError &) {
    }
    return 0;
}
