#pragma once

#include <QString>

#include <string_view>

namespace quarvel {

// The engine's UTF-8 text as Qt's.
inline QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

} // namespace quarvel
