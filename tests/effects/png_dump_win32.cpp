// The Win32 test build has no PNG writer; the native build writes the images.
#include "effects_test_support.h"

bool dump_frame_png(const std::string&, const std::uint32_t*) { return false; }
