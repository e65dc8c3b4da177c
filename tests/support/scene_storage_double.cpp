#include "scene_storage_double.h"

#include <cstdlib>

#include "scene_storage.h"

namespace {
StorageAllocator current_allocator = std::malloc;
}

StorageAllocator set_scene_storage_allocator(StorageAllocator allocator) {
    const StorageAllocator previous = current_allocator;
    current_allocator = allocator ? allocator : std::malloc;
    return previous;
}

void* obtain_scene_storage(std::size_t bytes) { return current_allocator(bytes); }
