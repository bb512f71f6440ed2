#include "Keyboard.h"

void keyTyped(AnimationState& state, char16_t code) {
    // Characters rather than keys, so the keypad's + - * / work like the main keyboard's.
    switch (code) {
    case u'-':
        state.n = Command::runBackward;
        break;
    case u'+':
    case u',':
        state.n = Command::runForward;
        break;
    case u'/':
        state.n = Command::stepBack;
        break;
    case u'*':
    case u' ':
    case u'.':
        state.n = Command::stepForward;
        break;
    default:
        break;
    }
}
