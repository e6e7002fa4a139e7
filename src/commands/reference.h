#pragma once

#include <string>

namespace quarvel {

// The help's reference of every type each section's lists offer, with the
// figures of one unit, as HTML: one table a section, in the window's order,
// made from the sections' type tables, so that it reads what a pick books.
std::string typeReference();

} // namespace quarvel
