#pragma once
// fennick's other input beside the clock (clock.h), one implementation per
// platform.

// True when Escape is down now or has been pressed since the previous test.
bool escape_pressed();
