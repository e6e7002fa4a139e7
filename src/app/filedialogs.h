#pragma once

#include <QString>

class QWidget;

namespace quarvel {

class PlanDocument;

enum class FileChoice { OpenPlan, SavePlan, SavePage };

// Asks for a file in the dialog for that choice: a plan to open or to save,
// or the file to save the page as (Export, or Print with no printer). It
// opens in the plan's folder and proposes the plan's name; a page of a plan
// never saved goes to the documents folder as "Quarvel.pdf". Empty when the
// person cancelled.
QString askForFile(QWidget *parent, const PlanDocument &document, FileChoice choice);

} // namespace quarvel
