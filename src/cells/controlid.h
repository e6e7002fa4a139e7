#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quarvel {

// One id per control of the window's design, in design order.
enum class Id : std::uint16_t {
#define CONTROL(name, ...) name,
#include "cells/design.inc"
#undef CONTROL
};

inline constexpr std::size_t kControlCount = 0
#define CONTROL(name, ...) +1
#include "cells/design.inc"
#undef CONTROL
    ;

inline constexpr std::size_t index(Id id) { return static_cast<std::size_t>(id); }

std::string_view nameOf(Id id);
std::optional<Id> idNamed(std::string_view name);

} // namespace quarvel
