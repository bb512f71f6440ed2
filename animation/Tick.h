#pragma once

#include "AnimationState.h"

// Sets the values the animation starts with; fields that handlers wrote before it keep theirs.
void start(AnimationState& state);

// Carries out the command waiting in `n`, moves `l`, and returns the index of the frame to show.
int tick(AnimationState& state);
