#pragma once
// The kit's error kinds: each is a runtime error with its message, told apart
// from the others by its type alone. Plain C++ (no Qt).

#include <stdexcept>

template <class Kind> class TKitError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};
