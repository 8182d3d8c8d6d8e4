// Fuzz target: the animated-cursor reader and the icon files inside it.
#include "controls/images/AniCursor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TAnimatedCursorImage cursor;
    try {
        cursor.LoadFromBytes(data, size);
        TAnimatedCursorImage copy;
        copy.Assign(cursor);
    } catch (const EReadError &) {
    }
    TIcon icon;
    LoadIconFile(data, size, icon);
    return 0;
}
