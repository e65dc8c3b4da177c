#pragma once
// The viewer's keys of the player (player.h), the same on every display.

enum class PlayerKey {
    toggle_pause,         // Space
    step_back,            // , (one tick, while paused)
    step_forward,         // .
    back_second,          // Left
    forward_second,       // Right
    back_ten_seconds,     // Shift+Left
    forward_ten_seconds,  // Shift+Right
    slower,               // [
    faster,               // ]
    restart,              // Home
    toggle_overlay,       // I
    mark_a,               // A (again: no marks)
    mark_b,               // B
    previous_step,        // PageUp
    next_step,            // PageDown
    toggle_guides,        // G
    save_frame            // S: the shown frame to a file
};

// The keys pressed since the last take, oldest first, for a loop that takes
// them once a frame; more than 16 in one frame are dropped.
struct PlayerKeyQueue {
    PlayerKey keys[16];
    int count = 0;

    void push(PlayerKey key) {
        if (count < 16) keys[count++] = key;
    }
    // Moves up to `capacity` of them into `out` and forgets any others;
    // returns how many it moved.
    int take(PlayerKey* out, int capacity) {
        const int n = count < capacity ? count : capacity;
        for (int i = 0; i < n; ++i) out[i] = keys[i];
        count = 0;
        return n;
    }
};
