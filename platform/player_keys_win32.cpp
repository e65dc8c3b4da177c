// The player's keys on Windows. The punctuation keys are found by their
// characters in the keyboard layout in use, so ",", ".", "[" and "]" are
// where the keyboard has them.
#include "player_keys_win32.h"

#include <windows.h>

namespace {

bool shift_down() { return (GetKeyState(VK_SHIFT) & 0x8000) != 0; }

// The virtual key that types `character` without modifiers, or 0.
unsigned key_of(char character) {
    const SHORT scan = VkKeyScanA(character);
    return scan == -1 || (scan & 0xFF00) ? 0 : static_cast<unsigned>(scan & 0xFF);
}

// The keys a poll watches, each with whether it was down at the last poll.
struct Watched {
    unsigned virtual_key;
    bool was_down;
};

}  // namespace

bool win32_player_key(unsigned virtual_key, bool repeat, PlayerKey& key) {
    switch (virtual_key) {
        case VK_SPACE: key = PlayerKey::toggle_pause; return !repeat;  // held: one toggle
        case VK_LEFT: key = shift_down() ? PlayerKey::back_ten_seconds : PlayerKey::back_second; return true;
        case VK_RIGHT: key = shift_down() ? PlayerKey::forward_ten_seconds : PlayerKey::forward_second; return true;
        case VK_HOME: key = PlayerKey::restart; return true;
        case 'I': key = PlayerKey::toggle_overlay; return !repeat;
        case 'A': key = PlayerKey::mark_a; return !repeat;
        case 'B': key = PlayerKey::mark_b; return !repeat;
        case VK_PRIOR: key = PlayerKey::previous_step; return true;
        case VK_NEXT: key = PlayerKey::next_step; return true;
        case 'G': key = PlayerKey::toggle_guides; return !repeat;
        case 'S': key = PlayerKey::save_frame; return !repeat;
    }
    if (virtual_key == 0) return false;
    if (virtual_key == key_of(',')) key = PlayerKey::step_back;
    else if (virtual_key == key_of('.')) key = PlayerKey::step_forward;
    else if (virtual_key == key_of('[')) key = PlayerKey::slower;
    else if (virtual_key == key_of(']')) key = PlayerKey::faster;
    else return false;
    return true;
}

int poll_player_keys(PlayerKey* keys, int capacity) {
    static Watched watched[] = {{VK_SPACE, false}, {VK_LEFT, false},      {VK_RIGHT, false},
                                {VK_HOME, false},  {'I', false},          {'G', false},          {key_of(','), false},
                                {key_of('.'), false}, {key_of('['), false}, {key_of(']'), false},
                                {'A', false},      {'B', false},          {VK_PRIOR, false},
                                {VK_NEXT, false},  {'S', false}};
    int n = 0;
    for (Watched& w : watched) {
        if (w.virtual_key == 0) continue;
        const bool down = (GetAsyncKeyState(static_cast<int>(w.virtual_key)) & 0x8000) != 0;
        PlayerKey key;
        if (down && !w.was_down && n < capacity && win32_player_key(w.virtual_key, false, key)) keys[n++] = key;
        w.was_down = down;
    }
    return n;
}
