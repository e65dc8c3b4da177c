#pragma once
// Native display only: why the last open_display failed (SDL's message).
const char* display_failure_reason();

struct RunOptions;
// Native display only: window or fullscreen, 4:3 picture or square pixels;
// taken by the next open_display.
void set_display_options(const RunOptions& options);
