#include "cells/controlid.h"

#include "cells/design.h"

namespace quarvel {

std::string_view nameOf(Id id) { return design(id).name; }

std::optional<Id> idNamed(std::string_view name)
{
    for (const ControlDesign &c : kDesign)
        if (c.name == name)
            return c.id;
    return std::nullopt;
}

} // namespace quarvel
