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
// on first use; without it, null and in `why` the reason.
template <class Entry> Entry entry(const char *name, QString &why)
{
    // In the build folder the module lies beside the program; an installed
    // program finds it in its own folder among the libraries.
    const QString folder = QCoreApplication::applicationDirPath();
    const QString module = QStringLiteral(QUARVEL_PRINT_MODULE);
    const QString beside = folder + QLatin1Char('/') + module;
    const QString installed = QDir::cleanPath(folder + QStringLiteral("/" QUARVEL_PRINT_MODULE_DIR "/") + module);
    why = QStringLiteral("Quarvel's print module (%1) was not found").arg(module);
    for (const QString &path : {beside, installed}) {
        if (!QFileInfo::exists(path))
            continue;
        QLibrary library(path);
        if (QFunctionPointer found = library.resolve(name))
            return reinterpret_cast<Entry>(found);
        why = QStringLiteral("Quarvel's print module could not be loaded (%1)").arg(library.errorString());
        break;
    }
    return nullptr;
}

void alert(PrintTarget &window, const QString &prompt, const char *title)
{
    if (!window.closed())
        window.cells.alert(prompt.toStdString(), title);
}

} // namespace

void printWindow(PrintTarget &window)
{
    QString why;
    if (auto print = entry<decltype(&quarvelPrintWindow)>("quarvelPrintWindow", why))
        print(window);
    else
        alert(window, QStringLiteral("The window was not printed: %1.").arg(why), "Print Error");
}

void exportPage(PrintTarget &window, const QString &path)
{
    QString why;
    if (auto save = entry<decltype(&quarvelExportPage)>("quarvelExportPage", why))
        save(window, path);
    else
        alert(window,
              QStringLiteral("The page could not be exported to %1: %2.").arg(QDir::toNativeSeparators(path), why),
              "Export Error");
}

} // namespace quarvel
