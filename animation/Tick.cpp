#include "Tick.h"

#include <cstdio>
#include <cstdlib>

void start(AnimationState& state) {
    state.n = 1;
    state.k = 1000000;
    state.hl = 0;
    state.updo = 1;
}

namespace {

// Adding 23 instead of subtracting 1 keeps every sum non-negative, so % is the plain remainder.
int wrap(int index) {
    return index % frameCount;
}

// Once the command is carried out the animation is running or stopped on a frame, and never
// running both ways. Debug builds check it on every tick.
void checkInvariants([[maybe_unused]] const AnimationState& s) {
#ifndef NDEBUG
    const char* broken = nullptr;
    if (s.l < 0 || s.l >= frameCount) {
        broken = "frame index l outside 0..23";
    } else if (s.m == 1 && s.mm == 1) {
        broken = "running backward and forward at once (m = mm = 1)";
    } else if (s.n != 0 && s.n != 1) {
        broken = "a command left in n after it was carried out";
    }
    if (broken != nullptr) {
        std::fprintf(stderr, "vantrel: broken animation state: %s (l=%d m=%d mm=%d n=%d)\n", broken,
                     s.l, s.m, s.mm, s.n);
        std::abort();
    }
#endif
}

} // namespace

int tick(AnimationState& s) {
    // Each test sees what the tests before it left. A run command sets n to 1, so the running
    // step below also applies on the command's own tick: it moves two frames.
    if (s.n == Command::runBackward) {
        s.l = wrap(s.l + 23);
        s.mm = 0;
        s.m = 1;
        s.n = 1;
    }
    if (s.n == Command::runForward) {
        s.l = wrap(s.l + 1);
        s.m = 0;
        s.mm = 1;
        s.n = 1;
    }
    // A step given while a run flag is set cancels the move that flag already made, so the
    // animation stops on the frame it had reached.
    if (s.n == Command::stepBack) {
        s.l = wrap(s.l + 23 + s.m + s.mm);
        s.mm = 0;
        s.m = 0;
        s.n = 0;
    }
    if (s.n == Command::stepForward) {
        s.l = wrap(s.l + 1 - s.m - s.mm);
        s.mm = 0;
        s.m = 0;
        s.n = 0;
    }
    checkInvariants(s);
    if (s.n != 0 && s.m == 0) {
        s.l = wrap(s.l + s.n);
    }
    if (s.m == 1) {
        s.l = wrap(s.l + 23);
    }
    return s.l + frameCount * s.hl;
}
