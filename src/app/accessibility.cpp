#include "app/accessibility.h"

#include "app/formcells.h"
#include "app/qs.h"
#include "cells/design.h"
#include "commands/explain.h"
#include "commands/listing.h"
#include "rows/cellnames.h"
#include "rows/sections.h"

#include <QComboBox>
#include <QLineEdit>
#include <QStringList>

#include <algorithm>
#include <string_view>
#include <utility>

namespace quarvel {
namespace {

// The header's fields, named after the captions beside them; the two
// "Number" boxes belong to the line they stand on.
constexpr std::pair<Id, std::string_view> kFields[] = {
    {Id::Text35, "Attack from"},
    {Id::Text37, "Attack from, number"},
    {Id::Text36, "Attack on"},
    {Id::Text38, "Attack on, number"},
    {Id::Combo26, "Close air support details are given on mission"},
    {Id::Combo2, "Mission type"},
};

void nameControl(FormCells &form, Id id, const QString &name)
{
    QWidget *w = form.widget(id);
    w->setAccessibleName(name);
    // An editable list's edit field is a child object of its own for a
    // screen reader, and is read out when the list is explored.
    if (auto *combo = qobject_cast<QComboBox *>(w); combo && combo->lineEdit())
        combo->lineEdit()->setAccessibleName(name);
}

// Each row's controls by its section and place: "Trucks, row 1, count",
// "Trucks, row 1, type", "Infantry, row 3, marching".
void nameRows(FormCells &form)
{
    for (const Section *section : kSections) {
        int number = 0;
        for (const Row &row : section->rows) {
            const QString prefix = QStringLiteral("%1, row %2, ").arg(qs(section->name)).arg(++number);
            nameControl(form, row.count, prefix + QStringLiteral("count"));
            nameControl(form, row.list, prefix + QStringLiteral("type"));
            if (row.marching)
                nameControl(form, *row.marching, prefix + QStringLiteral("marching"));
        }
    }
    for (const auto &[id, name] : kFields)
        nameControl(form, id, qs(name));
}

// A summary number alone says nothing ("4"): it is named by its whole
// sentence, "You can Carry 4 Squad/s OR 10000 Pounds of Cargo", made from
// the sentence's labels as they read. The numbers are the frame's centred
// labels; the engine writes them, and each write renews the name.
void nameSummaryNumbers(FormCells &form)
{
    for (Span<Id> sentence : kSummarySentences) {
        auto rename = [&form, sentence] {
            const QString name = qs(sentenceOf(form, sentence));
            for (Id part : sentence) {
                QWidget *number = form.widget(part);
                // Only a real change is announced to a screen reader.
                if (design(part).has(Centred) && number->accessibleName() != name)
                    number->setAccessibleName(name);
            }
        };
        rename();
        QObject::connect(&form, &FormCells::captionWritten, &form, [rename, sentence](Id label) {
            if (std::find(sentence.begin(), sentence.end(), label) != sentence.end())
                rename();
        });
    }
}

// Every "Clear" button reads the same; what tells them apart is where they
// stand, which neither a screen reader nor a hurried eye has. Each says what
// it clears, from the sections it serves: "Clears the trucks and the APCs".
void describeClears(FormCells &form)
{
    auto spoken = [](std::string_view section) {
        QString name = qs(section);
        if (name.size() > 1 && name.at(1).isLower())
            name[0] = name.at(0).toLower(); // "APCs" keeps its capitals
        return name;
    };
    for (const Section *section : kSections) {
        QStringList names;
        for (const Section *other : kSections)
            if (other->clear == section->clear)
                names << spoken(other->name);
        const QString what = QStringLiteral("Clears the ") + names.join(QStringLiteral(" and the "));
        QWidget *button = form.widget(section->clear);
        button->setToolTip(what);
        button->setAccessibleDescription(what);
    }
}

} // namespace

void makeAccessible(FormCells &form)
{
    nameRows(form);
    nameSummaryNumbers(form);
    for (Id figure : kExplainedFigures)
        // The pointer resting on a number shows its tooltip. A number lies
        // beneath every control, as all labels do, so it still takes no
        // click meant for one.
        form.widget(figure)->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    describeClears(form);
}

// A handler writes the sections' shares after the totals, so the parts are
// read once a step is over.
void explainSummaryNumbers(FormCells &form)
{
    for (Id figure : kExplainedFigures) {
        QWidget *number = form.widget(figure);
        const QString text = qs(explanationText(form, figure));
        if (number->toolTip() == text)
            continue; // only a real change is announced
        number->setToolTip(text);
        number->setAccessibleDescription(text);
    }
}

} // namespace quarvel
