#pragma once
// Shared pieces of the fuzz targets: reading typed values from the fuzzer's
// bytes, failing loudly, and a pixel buffer with guard words on both sides.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

// Stops the run with a message; libFuzzer then keeps the input as a crash.
#define FUZZ_CHECK(condition, ...)                                              \
    do {                                                                        \
        if (!(condition)) {                                                     \
            std::fprintf(stderr, "check failed: %s: ", #condition);             \
            std::fprintf(stderr, __VA_ARGS__);                                  \
            std::fputc('\n', stderr);                                           \
            std::abort();                                                       \
        }                                                                       \
    } while (0)

// Takes values from the front of the input; once it runs dry every value is 0.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    template <class T>
    T take() {
        T value{};
        const std::size_t n = sizeof(T) < size_ ? sizeof(T) : size_;
        std::memcpy(&value, data_, n);
        data_ += n;
        size_ -= n;
        return value;
    }
    // A value in low ... high (inclusive), from two bytes.
    int take_range(int low, int high) {
        const unsigned span = static_cast<unsigned>(high - low) + 1u;
        return low + static_cast<int>(take<std::uint16_t>() % span);
    }
    const std::uint8_t* rest() const { return data_; }
    std::size_t rest_size() const { return size_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

// `count` elements of T with `guard` canary elements before and after them.
template <class T>
class GuardedBuffer {
public:
    static constexpr std::uint8_t canary_byte = 0xA5;

    GuardedBuffer(std::size_t count, std::size_t guard = 64)
        : count_(count), guard_(guard), storage_(count + 2 * guard) {
        std::memset(storage_.data(), canary_byte, storage_.size() * sizeof(T));
    }
    T* data() { return storage_.data() + guard_; }
    std::size_t size() const { return count_; }
    bool guards_intact() const {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(storage_.data());
        const std::size_t guard_bytes = guard_ * sizeof(T);
        const std::size_t tail = (guard_ + count_) * sizeof(T);
        for (std::size_t i = 0; i < guard_bytes; ++i)
            if (bytes[i] != canary_byte || bytes[tail + i] != canary_byte) return false;
        return true;
    }

private:
    std::size_t count_, guard_;
    std::vector<T> storage_;
};

// Fills pixels with a pattern spun from `seed`, so backgrounds vary.
inline void fill_pattern(std::uint32_t* pixels, std::size_t count, std::uint32_t seed) {
    std::uint32_t v = seed | 1u;
    for (std::size_t i = 0; i < count; ++i) {
        v ^= v << 13;
        v ^= v >> 17;
        v ^= v << 5;
        pixels[i] = v;
    }
}
