#pragma once

// Waits for one key press on the console, read without echo; the key itself is
// not returned. Returns at once when the input has ended or cannot be read.
void wait_for_key();
