#pragma once
// Native display only: why the last open_display failed (SDL's message).
const char* display_failure_reason();
