#pragma once

#include <stdexcept>

namespace common {

// A fault stops the handler that raised it. Handlers never catch one; the program's
// event guard (eventguard.h) catches it at the boundary to Qt and tells the user.
class Fault : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A computing step overflowed the double range or was an invalid operation.
class ArithmeticFault : public Fault {
public:
    ArithmeticFault() : Fault("arithmetic fault") {}
};

// A negative number raised to a fractional power.
class InvalidArgument : public Fault {
public:
    InvalidArgument() : Fault("invalid argument") {}
};

// Strict reading met a text that is not one number.
class TypeMismatch : public Fault {
public:
    TypeMismatch() : Fault("type mismatch") {}
};

} // namespace common
