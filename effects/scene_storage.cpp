#include "scene_storage.h"

void* obtain_scene_storage(std::size_t bytes) { return std::malloc(bytes); }
