#include "ui/anim/UndoHistory.h"

#include "logo/PaletteOperations.h"

#include <unordered_set>

namespace {

const std::vector<std::uint8_t>& NoPixels()
{
    static const std::vector<std::uint8_t> none;
    return none;
}

const std::vector<std::uint8_t>& PixelsOf(const logo::PaletteState& state)
{
    return state.m_picture != nullptr ? state.m_picture->pixels : NoPixels();
}

}  // namespace

UndoHistory::Snapshot UndoHistory::Capture(const logo::PaletteState& state) const
{
    Snapshot snapshot;
    snapshot.table = state.m_colorTable;
    snapshot.count = state.m_animCount;
    snapshot.freedCount = state.m_freedCount;
    snapshot.highlight = state.m_highlight;
    const std::vector<std::uint8_t>& pixels = PixelsOf(state);
    if (!m_states.empty() && *m_states[m_current].pixels == pixels)
        snapshot.pixels = m_states[m_current].pixels;
    else
        snapshot.pixels = std::make_shared<const std::vector<std::uint8_t>>(pixels);
    return snapshot;
}

bool UndoHistory::SameAs(const Snapshot& snapshot, const logo::PaletteState& state)
{
    return snapshot.table == state.m_colorTable && snapshot.count == state.m_animCount
        && snapshot.freedCount == state.m_freedCount && *snapshot.pixels == PixelsOf(state);
}

void UndoHistory::Apply(const Snapshot& snapshot, logo::PaletteState& state)
{
    state.m_colorTable = snapshot.table;
    state.m_animCount = snapshot.count;
    state.m_freedCount = snapshot.freedCount;
    state.m_highlight = snapshot.highlight;
    if (state.m_picture != nullptr && state.m_picture->pixels.size() == snapshot.pixels->size())
        state.m_picture->pixels = *snapshot.pixels;
    logo::StoreColorTable(state);
}

void UndoHistory::Reset(const logo::PaletteState& state)
{
    m_states.clear();
    m_current = 0;
    m_states.push_back(Capture(state));
    m_saved = 0;
}

bool UndoHistory::Record(const logo::PaletteState& state)
{
    if (m_states.empty()) {
        Reset(state);
        return false;
    }
    if (SameAs(m_states[m_current], state))
        return false;
    m_states.erase(m_states.begin() + static_cast<std::ptrdiff_t>(m_current) + 1, m_states.end());
    if (m_saved && *m_saved > m_current)
        m_saved.reset();  // the saved state was undone and is now out of reach
    m_states.push_back(Capture(state));
    ++m_current;
    while (m_states.size() > m_maxSteps + 1) {
        m_states.pop_front();
        --m_current;
        if (m_saved)
            m_saved = *m_saved > 0 ? std::optional<std::size_t>(*m_saved - 1) : std::nullopt;
    }
    return true;
}

bool UndoHistory::Undo(logo::PaletteState& state)
{
    if (!CanUndo())
        return false;
    --m_current;
    Apply(m_states[m_current], state);
    return true;
}

bool UndoHistory::Redo(logo::PaletteState& state)
{
    if (!CanRedo())
        return false;
    ++m_current;
    Apply(m_states[m_current], state);
    return true;
}

std::size_t UndoHistory::MemoryBytes() const
{
    std::unordered_set<const std::vector<std::uint8_t>*> counted;
    std::size_t bytes = 0;
    for (const Snapshot& snapshot : m_states) {
        bytes += sizeof(Snapshot);
        if (counted.insert(snapshot.pixels.get()).second)
            bytes += snapshot.pixels->size();
    }
    return bytes;
}
