#pragma once

#include "AnimationState.h"

// A typed character (its UTF-16 code, not a key code) that is not ESC: sets the command in `n`.
// Characters that name no command change nothing.
void keyTyped(AnimationState& state, char16_t code);
