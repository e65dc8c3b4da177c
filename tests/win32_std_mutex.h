#pragma once
// GoogleTest's headers name std::mutex and std::condition_variable, which
// the win32-threads flavour of mingw-w64's libstdc++ lacks (it has no
// gthreads). The Win32 test build force-includes this header to supply the
// two as spin locks, without <windows.h> so that no test sees its names. Our
// tests never start a thread, so nothing ever spins for long.
#include <atomic>
#include <mutex>

#if defined(_WIN32) && !defined(_GLIBCXX_HAS_GTHREADS)
namespace std {

class mutex {
public:
    mutex() = default;
    mutex(const mutex&) = delete;
    mutex& operator=(const mutex&) = delete;
    void lock() {
        while (held_.test_and_set(memory_order_acquire)) {
        }
    }
    bool try_lock() { return !held_.test_and_set(memory_order_acquire); }
    void unlock() { held_.clear(memory_order_release); }

private:
    atomic_flag held_ = ATOMIC_FLAG_INIT;
};

// Waiters look at their predicate again and again, so a notification needs
// no signal.
class condition_variable {
public:
    void notify_one() {}
    void notify_all() {}
    template <class Predicate>
    void wait(unique_lock<mutex>& lock, Predicate ready) {
        while (!ready()) {
            lock.unlock();
            lock.lock();
        }
    }
};

}  // namespace std
#endif
