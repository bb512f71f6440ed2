#pragma once

#include "AnimationState.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// The 24 frames by index. Picture is a shared handle (a QPixmap in the window), so filling the
// table shares the pictures rather than copying them.
template <typename Picture> class FrameTable {
  public:
    void set(int index, const Picture& picture) { entries_.at(index) = picture; }

    // An index outside 0..23 is a broken invariant of the tick, not something to recover from.
    const Picture& lookup(std::int32_t index) const {
        if (static_cast<std::uint32_t>(index) >= frameCount) {
            std::fprintf(stderr, "vantrel: frame index %d is outside 0..%d\n", index,
                         frameCount - 1);
            std::abort();
        }
        return entries_[static_cast<std::size_t>(index)];
    }

  private:
    std::array<Picture, frameCount> entries_{};
};
