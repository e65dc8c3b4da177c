// Console key on Windows: the C runtime's unechoed single-key read.
#include "console_key.h"

#include <conio.h>

void wait_for_key() { _getch(); }
