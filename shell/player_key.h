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
