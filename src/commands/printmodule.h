#pragma once

#include <QString>

// Print and Export as PDF live in a module of their own (printmodule.cpp), loaded the first time
// either is used: the print service's library, and the TLS, Kerberos and
// DNS-SD libraries it brings, would otherwise be loaded at every start. The
// module's two entry points, found by these names:
namespace quarvel {
struct PrintTarget;
}

extern "C" {
void quarvelPrintWindow(quarvel::PrintTarget &window);
void quarvelExportPage(quarvel::PrintTarget &window, const QString &path);
}
