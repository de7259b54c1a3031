#pragma once
// The editor's undo and redo: the states the picture has been through
// (working table, animation count, pixels), oldest first, and where the
// editor stands among them. A state shares its pixels with the state
// before it when they are the same, so a step that changes only the table
// costs about 1 KB and one that changes pixels about 129 KB. The oldest
// steps go once there are more than the limit.

#include "logo/PaletteState.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

class UndoHistory {
public:
    static constexpr std::size_t kDefaultSteps = 100;

    explicit UndoHistory(std::size_t maxSteps = kDefaultSteps) : m_maxSteps(maxSteps) {}

    // Forgets every step: state is the only one, and the saved one.
    void Reset(const logo::PaletteState& state);
    // A new step when state differs from the current one; the steps that
    // could be redone are dropped then. True when a step was added.
    bool Record(const logo::PaletteState& state);

    bool CanUndo() const { return !m_states.empty() && m_current > 0; }
    bool CanRedo() const { return !m_states.empty() && m_current + 1 < m_states.size(); }
    // Puts the previous (next) state into state: working table, count,
    // pixels, the picture's own table and the framed swatch. False, changing nothing, when
    // there is none.
    bool Undo(logo::PaletteState& state);
    bool Redo(logo::PaletteState& state);

    // The current state is the one last written to a file.
    void MarkSaved() { m_saved = m_current; }
    bool AtSavedState() const { return m_saved == m_current; }

    std::size_t UndoSteps() const { return m_states.empty() ? 0 : m_current; }
    std::size_t RedoSteps() const { return m_states.empty() ? 0 : m_states.size() - 1 - m_current; }
    // Bytes held by the states; pixels shared by several states count once.
    std::size_t MemoryBytes() const;

private:
    struct Snapshot {
        logo::ColorTable table{};
        std::uint8_t count = 0;
        std::uint8_t freedCount = 0;
        std::int32_t highlight = -1;  // where the frame was; no part of the comparison
        std::shared_ptr<const std::vector<std::uint8_t>> pixels;
    };

    Snapshot Capture(const logo::PaletteState& state) const;
    static bool SameAs(const Snapshot& snapshot, const logo::PaletteState& state);
    static void Apply(const Snapshot& snapshot, logo::PaletteState& state);

    std::size_t m_maxSteps;
    std::deque<Snapshot> m_states;
    std::size_t m_current = 0;
    std::optional<std::size_t> m_saved;
};
