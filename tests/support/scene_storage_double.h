#pragma once
// The scene storage of a test program that links scene_storage_double: it
// takes the place of the product's obtain_scene_storage
// (effects/scene_storage.cpp) at link time, so that a test can make
// obtaining storage fail, or count it.
#include <cstddef>

// Returns `bytes` bytes aligned for any scalar type, or nullptr; the memory
// is later given back with std::free.
using StorageAllocator = void* (*)(std::size_t bytes);

// Installs `allocator` (nullptr restores std::malloc); returns the one it replaces.
StorageAllocator set_scene_storage_allocator(StorageAllocator allocator);
