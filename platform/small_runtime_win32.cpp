// The C++ runtime's failure paths for the Windows programs and ptc.dll, small.
//
// Our code is built without exceptions, the frames included (see
// cmake/PackCompile.cmake), but the static C++ library would still throw
// from operator new and from its containers' checks, and every throw links
// the unwinder, the exception classes with their strings and the terminate
// handler's demangler: some 200 KB in each exe. Here a failure ends the
// program instead, with one line on stderr and abort(), as an uncaught
// exception ended it before and as the library itself does when it is built
// without exceptions.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

namespace {

[[noreturn]] void give_up(const char* what) {
    std::fputs(what, stderr);
    std::fputs("\n", stderr);
    std::abort();
}

}  // namespace

// The allocation functions: a failed allocation ends the program (or, for
// the nothrow forms, hands back null), so no caller ever sees a bad pointer.
void* operator new(std::size_t bytes) {
    void* memory = std::malloc(bytes ? bytes : 1);
    if (!memory) give_up("out of memory");
    return memory;
}
void* operator new[](std::size_t bytes) { return operator new(bytes); }
void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept { return std::malloc(bytes ? bytes : 1); }
void* operator new[](std::size_t bytes, const std::nothrow_t&) noexcept { return std::malloc(bytes ? bytes : 1); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }

// The library's report of a container error (a string or vector grown past
// its largest size, an index out of range): with exceptions off these are
// the only way out of such a call.
namespace std {
void __throw_bad_alloc() { give_up("out of memory"); }
void __throw_bad_array_new_length() { give_up("out of memory"); }
void __throw_length_error(const char* what) { give_up(what); }
void __throw_logic_error(const char* what) { give_up(what); }
void __throw_out_of_range(const char* what) { give_up(what); }
void __throw_out_of_range_fmt(const char* what, ...) { give_up(what); }
}  // namespace std

// std::string's members, compiled here with our flags: the library's copy
// brings its exception handling along, and its unwind tables keep every
// member linked whether used or not.
template class std::basic_string<char>;

// Formatted printing into a buffer (snprintf, vsnprintf) through the
// system's own C runtime, msvcrt.dll, in mingw-w64's wrapper that gives it
// the standard's return value and terminating zero, instead of the
// compiler's copy with its floating-point conversions (some 27 KB). Our
// formats hold only %d, %u, %x and %s with flags and widths, which both
// print alike; nothing formats a floating-point number.
extern "C" int __ms_vsnprintf(char* buffer, std::size_t size, const char* format, va_list args);
extern "C" int __mingw_vsnprintf(char* buffer, std::size_t size, const char* format, va_list args) {
    return __ms_vsnprintf(buffer, size, format, args);
}

#if defined(__i386__)
// 64-bit division on a 32-bit processor: the compiler calls the helpers of
// its own library, one self-contained long division each (some 2 KB with
// their unwind tables). Here all of them share the library's one unsigned
// division with remainder; the signed ones divide the magnitudes and give
// the quotient and the remainder their signs as C++ does (the quotient
// rounded toward zero, the remainder with the sign of the dividend).
#include <cstdint>

extern "C" {
std::uint64_t __udivmoddi4(std::uint64_t dividend, std::uint64_t divisor, std::uint64_t* remainder);

std::uint64_t __udivdi3(std::uint64_t dividend, std::uint64_t divisor) {
    return __udivmoddi4(dividend, divisor, nullptr);
}
std::uint64_t __umoddi3(std::uint64_t dividend, std::uint64_t divisor) {
    std::uint64_t remainder;
    __udivmoddi4(dividend, divisor, &remainder);
    return remainder;
}
std::int64_t __divmoddi4(std::int64_t dividend, std::int64_t divisor, std::int64_t* remainder) {
    const std::uint64_t magnitude = dividend < 0 ? 0 - static_cast<std::uint64_t>(dividend) : dividend;
    const std::uint64_t by = divisor < 0 ? 0 - static_cast<std::uint64_t>(divisor) : divisor;
    std::uint64_t rest;
    const std::uint64_t quotient = __udivmoddi4(magnitude, by, &rest);
    if (remainder) *remainder = static_cast<std::int64_t>(dividend < 0 ? 0 - rest : rest);
    return static_cast<std::int64_t>((dividend < 0) != (divisor < 0) ? 0 - quotient : quotient);
}
std::int64_t __divdi3(std::int64_t dividend, std::int64_t divisor) { return __divmoddi4(dividend, divisor, nullptr); }
std::int64_t __moddi3(std::int64_t dividend, std::int64_t divisor) {
    std::int64_t remainder;
    __divmoddi4(dividend, divisor, &remainder);
    return remainder;
}
}  // extern "C"
#endif
