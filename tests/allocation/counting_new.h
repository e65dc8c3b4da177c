#pragma once
// A counting replacement of the global operator new (counting_new.cpp): every
// C++ heap allocation of the test program goes through it.
#include <cstddef>

namespace counting_new {

// Allocations (calls of any operator new) since the program started.
std::size_t allocations();

// The allocations made while `body` runs.
template <class Body>
std::size_t during(Body&& body) {
    const std::size_t before = allocations();
    body();
    return allocations() - before;
}

}  // namespace counting_new
