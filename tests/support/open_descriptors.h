#pragma once
// For leak checks: how many file descriptors the process has open.

#include <cstddef>

namespace test_support {

std::size_t openDescriptors();

}  // namespace test_support
