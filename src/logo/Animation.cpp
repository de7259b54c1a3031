#include "logo/Animation.h"

#include <cstdint>
#include <cstring>

namespace logo {

void AnimationStep(PaletteState& state)
{
    const int count = state.m_animCount;
    if (count == 0)
        return;

    // A phase outside 1 .. N - 1 after the increment wraps to 0, so a state
    // handed over with a stale phase cannot keep a "run until phase 0" loop
    // going for ever.
    const std::int64_t next = static_cast<std::int64_t>(state.m_phase) + 1;
    state.m_phase = (next <= 0 || next >= count) ? 0 : static_cast<std::int32_t>(next);

    const int first = 256 - count;
    RgbQuad* const table = state.m_colorTable.data();
    const RgbQuad wrapped = table[first];
    std::memmove(table + first, table + first + 1, static_cast<std::size_t>(count - 1) * sizeof(RgbQuad));
    table[255] = wrapped;
}

}  // namespace logo
