#include "app/filedialogs.h"

#include "app/plandocument.h"
#include "commands/files.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace quarvel {
namespace {

// A file dialog that names every file it saves NAME.SUFFIX, however the
// person typed the name ("mission.v2" becomes "mission.v2.quarvel"), and
// asks before replacing that file, as it asks for the name typed.
class FileDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override
    {
        const QString typed = selectedFiles().value(0);
        const QString suffix = QLatin1Char('.') + defaultSuffix();
        if (acceptMode() == AcceptSave && !typed.isEmpty() && !typed.endsWith(suffix, Qt::CaseInsensitive) &&
            !QFileInfo(typed).isDir())
            selectFile(typed + suffix);
        QFileDialog::accept();
    }
};

// The documents folder, or the home folder where there is none yet.
QString documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

} // namespace

QString askForFile(QWidget *parent, const PlanDocument &document, FileChoice choice)
{
    const NoQtSettings noQtSettings;
    const bool page = choice == FileChoice::SavePage;
    const QString plan = document.file();
    QString folder = document.folder();
    if (page)
        folder = plan.isEmpty() ? documentsFolder() : QFileInfo(plan).absolutePath();
    const QString title = page                             ? QStringLiteral("Save as PDF")
                          : choice == FileChoice::SavePlan ? QStringLiteral("Save As")
                                                           : QStringLiteral("Open");
    FileDialog dialog(parent, title, folder,
                      page ? QStringLiteral("PDF files (*.pdf)") : QStringLiteral("Quarvel plans (*.quarvel)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(choice == FileChoice::OpenPlan ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    // A name that leads nowhere is refused with the reason, as any plan that
    // cannot be opened is.
    dialog.setFileMode(QFileDialog::AnyFile);
    if (choice != FileChoice::OpenPlan) {
        const QString suffix = page ? QStringLiteral("pdf") : QStringLiteral("quarvel");
        dialog.setDefaultSuffix(suffix);
        if (!plan.isEmpty())
            dialog.selectFile(QFileInfo(plan).completeBaseName() + QLatin1Char('.') + suffix);
        else if (page)
            dialog.selectFile(QStringLiteral("Quarvel.pdf"));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace quarvel
