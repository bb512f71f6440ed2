#pragma once

// Everything the animation knows. The input handlers only write these fields; the tick reads
// them once per frame. Every field starts at 0, which is also what an untouched field means.
struct AnimationState {
    float k = 0;   // delay of one tick: the pause counts floor(k) + 1 times (none when k < 0)
    int l = 0;     // current frame index, 0..23
    int m = 0;     // 1 while running backward
    int mm = 0;    // 1 while running forward after a run-forward command
    int n = 0;     // 1 running, 0 stopped, or a command waiting for the next tick (see Command)
    int nn = 0;    // unused
    int m1 = 0;    // m saved while scrub mode is on
    int mm1 = 0;   // mm saved while scrub mode is on
    int n1 = 0;    // n saved while scrub mode is on
    int st = 0;    // unused
    int ke = 0;    // unused
    int ke1 = 0;   // unused
    int nm = 0;    // 1 in scrub mode, where pointer motion steps the frames
    int nmm = 0;   // unused
    float yyy = 0; // pointer Y last seen in scrub mode
    int hl = 0;    // frame bank: the shown frame is l + 24 * hl
    int updo = 0;  // set at start, never read
};

// The commands a handler leaves in `n` for the next tick to carry out.
namespace Command {
inline constexpr int runBackward = -1;
inline constexpr int runForward = 3;
inline constexpr int stepBack = -2;
inline constexpr int stepForward = 2;
} // namespace Command

inline constexpr int frameCount = 24;
