#pragma once

#include "AnimationState.h"

// Pointer motion over the picture, in its user scale (x 0..14.882797, y 0..29.84375). Normally
// the position sets the speed; in scrub mode each motion asks for one step, down or sideways
// forward and up back.
void pointerMoved(AnimationState& state, float x, float y);

// A click toggles scrub mode. Entering it saves the run state; leaving it puts that state back.
void clicked(AnimationState& state);
