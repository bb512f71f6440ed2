#include "Mouse.h"

void pointerMoved(AnimationState& state, float x, float y) {
    if (state.nm == 0) {
        // Slowest at the bottom-right, no pause at all on the left or top edge. The product is
        // taken in extended precision (exact on x86-64) and rounded to float once.
        state.k = static_cast<float>(static_cast<long double>(x) * 70 * y);
    }
    if (state.nm != 0) {
        state.k = 80000;
        state.n = y >= state.yyy ? Command::stepForward : Command::stepBack;
        state.yyy = y;
    }
}

void clicked(AnimationState& state) {
    if (state.nm == 0) {
        state.n1 = state.n;
        state.mm1 = state.mm;
        state.m1 = state.m;
    }
    state.nm = (state.nm + 1) % 2;
    if (state.nm == 0) {
        state.n = state.n1;
        state.mm = state.mm1;
        state.m = state.m1;
    }
}
