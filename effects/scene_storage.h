#pragma once
// Working storage of one scene call: obtained at the start of the call,
// released before it returns.
#include <cstddef>
#include <cstdlib>
#include <new>
#include <type_traits>

// Returns `bytes` bytes aligned for any scalar type (std::malloc), or
// nullptr; the memory is later given back with std::free.
void* obtain_scene_storage(std::size_t bytes);

// `count` default-constructed objects of a trivial type T, or none when the
// storage cannot be obtained (including a count so large that its size
// overflows). Released when the object goes out of scope.
template <class T>
class SceneStorage {
    static_assert(std::is_trivially_destructible_v<T>, "scene storage is released without destructors");

public:
    explicit SceneStorage(std::size_t count) {
        if (count == 0 || count > static_cast<std::size_t>(-1) / sizeof(T)) return;
        void* raw = obtain_scene_storage(count * sizeof(T));
        if (!raw) return;
        items_ = static_cast<T*>(raw);
        for (std::size_t i = 0; i < count; ++i) new (items_ + i) T{};
    }
    ~SceneStorage() { std::free(items_); }
    SceneStorage(const SceneStorage&) = delete;
    SceneStorage& operator=(const SceneStorage&) = delete;

    explicit operator bool() const { return items_ != nullptr; }
    T& operator[](std::size_t i) { return items_[i]; }

private:
    T* items_ = nullptr;
};
