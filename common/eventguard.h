#pragma once

#include "faults.h"

#include <functional>
#include <type_traits>
#include <utility>

namespace common {

// What the program shows its user when a handler faults.
using FaultSink = std::function<void(const Fault &)>;

// Sets the program's answer to a fault that a handler's own guard does not answer.
void setFaultSink(FaultSink sink);

// The one place where faults are caught: runs a handler and hands a fault it raises to `sink`,
// or to the program's sink when `sink` is empty. Nothing ever unwinds into Qt's event code.
void runGuarded(const std::function<void()> &handler, const FaultSink &sink = {});

// Wraps a handler for connect(): the slot runs it under runGuarded. A handler that takes no
// arguments ignores those of the signal (a button's `checked`, a box's new text).
template <typename Handler>
auto guarded(Handler handler, FaultSink sink = {})
{
    return [handler = std::move(handler), sink = std::move(sink)](const auto &...args) {
        runGuarded([&] {
            if constexpr (std::is_invocable_v<const Handler &, decltype(args)...>)
                handler(args...);
            else
                handler();
        }, sink);
    };
}

} // namespace common
