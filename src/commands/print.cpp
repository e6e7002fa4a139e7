#include "commands/print.h"
#include "cells/cells.h"
#include "commands/printmodule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace quarvel {
namespace {

// The module's entry point of that name, the module loaded (once: it stays)
// on first use. Without it Print says so in a "Print Error" box.
template <class Entry> Entry entry(PrintTarget &window, const char *name)
{
    // In the build folder the module lies beside the program; an installed
    // program finds it in its own folder among the libraries.
    const QString folder = QCoreApplication::applicationDirPath();
    const QString module = QStringLiteral(QUARVEL_PRINT_MODULE);
    const QString beside = folder + QLatin1Char('/') + module;
    const QString installed = QDir::cleanPath(folder + QStringLiteral("/" QUARVEL_PRINT_MODULE_DIR "/") + module);
    QString why = QStringLiteral("Quarvel's print module (%1) was not found").arg(module);
    for (const QString &path : {beside, installed}) {
        if (!QFileInfo::exists(path))
            continue;
        QLibrary library(path);
        if (QFunctionPointer found = library.resolve(name))
            return reinterpret_cast<Entry>(found);
        why = QStringLiteral("Quarvel's print module could not be loaded (%1)").arg(library.errorString());
        break;
    }
    if (!window.closed())
        window.cells.alert(QStringLiteral("The window was not printed: %1.").arg(why).toStdString(), "Print Error");
    return nullptr;
}

} // namespace

void printWindow(PrintTarget &window)
{
    if (auto print = entry<decltype(&quarvelPrintWindow)>(window, "quarvelPrintWindow"))
        print(window);
}

void exportPage(PrintTarget &window, const QString &path)
{
    if (auto save = entry<decltype(&quarvelExportPage)>(window, "quarvelExportPage"))
        save(window, path);
}

} // namespace quarvel
