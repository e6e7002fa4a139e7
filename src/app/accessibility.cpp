#include "app/accessibility.h"

#include "app/design.h"
#include "app/window.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QStringList>

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace quarvel {
namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// A row of a section as a screen reader names its controls: "Trucks, row 1,
// count", "Trucks, row 1, type", "Infantry, row 3, marching". Rows are
// numbered in this order within their section, as they read on the window.
struct NamedRow {
    std::string_view section;
    Id count, list;
    std::optional<Id> marching = std::nullopt;
};

constexpr NamedRow kRows[] = {
    {"Trucks", Id::Text10, Id::Combo33},
    {"Trucks", Id::Text13, Id::Combo34},
    {"Trucks", Id::Text30, Id::Combo35},
    {"Trucks", Id::Text40, Id::Combo36},
    {"Trucks", Id::Text44, Id::Combo37},
    {"Armour", Id::Text20, Id::Combo30},
    {"Armour", Id::Text21, Id::Combo31},
    {"Armour", Id::Text22, Id::Combo32},
    {"Armour", Id::Text52, Id::Combo45},
    {"Armour", Id::Text53, Id::Combo46},
    {"Specialist vehicles", Id::Text12, Id::Combo25},
    {"Specialist vehicles", Id::Text18, Id::Combo28},
    {"Specialist vehicles", Id::Text19, Id::Combo29},
    {"Specialist vehicles", Id::Text50, Id::Combo43},
    {"APCs", Id::Text46, Id::Combo39},
    {"APCs", Id::Text47, Id::Combo40},
    {"APCs", Id::Text48, Id::Combo41},
    {"APCs", Id::Text49, Id::Combo42},
    {"Infantry", Id::Text4, Id::Combo1, Id::Check1},
    {"Infantry", Id::Text5, Id::Combo3, Id::Check6},
    {"Infantry", Id::Text6, Id::Combo4, Id::Check11},
    {"Infantry", Id::Text7, Id::Combo5, Id::Check12},
    {"Infantry", Id::Text8, Id::Combo6, Id::Check13},
    {"Infantry", Id::Text9, Id::Combo7, Id::Check14},
    {"Infantry", Id::Text11, Id::Combo11, Id::Check4},
    {"Infantry", Id::Text3, Id::Combo10, Id::Check3},
    {"Infantry", Id::Text2, Id::Combo9, Id::Check2},
    {"Weapons", Id::Text23, Id::Combo13},
    {"Weapons", Id::Text24, Id::Combo14},
    {"Weapons", Id::Text25, Id::Combo15},
    {"Weapons", Id::Text26, Id::Combo16},
    {"Weapons", Id::Text27, Id::Combo17},
    {"Weapons", Id::Text28, Id::Combo18},
    {"Weapons", Id::Text14, Id::Combo24},
    {"Weapons", Id::Text15, Id::Combo23},
    {"Weapons", Id::Text16, Id::Combo12},
    {"Combat supplies", Id::Text29, Id::Combo8},
    {"Towed units", Id::Text32, Id::Combo19},
    {"Towed units", Id::Text33, Id::Combo20},
    {"Towed units", Id::Text34, Id::Combo21},
    {"Towed units", Id::Text39, Id::Combo22},
};

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

// Every "Clear" button reads the same; what tells them apart is where they
// stand, which neither a screen reader nor a hurried eye has. The trucks'
// button clears the APCs as well.
constexpr std::pair<Id, std::string_view> kClears[] = {
    {Id::Command11, "Clears the trucks and the APCs"},
    {Id::Command19, "Clears the armour"},
    {Id::Command5, "Clears the specialist vehicles"},
    {Id::Command2, "Clears the infantry"},
    {Id::Command8, "Clears the weapons and the combat supplies"},
    {Id::Command16, "Clears the towed units"},
};

void nameControl(Window &window, Id id, const QString &name)
{
    QWidget *w = window.widget(id);
    w->setAccessibleName(name);
    // An editable list's edit field is a child object of its own for a
    // screen reader, and is read out when the list is explored.
    if (auto *combo = qobject_cast<QComboBox *>(w); combo && combo->lineEdit())
        combo->lineEdit()->setAccessibleName(name);
}

void nameRows(Window &window)
{
    std::string_view section;
    int row = 0;
    for (const NamedRow &r : kRows) {
        row = r.section == section ? row + 1 : 1;
        section = r.section;
        const QString prefix = QStringLiteral("%1, row %2, ").arg(qs(r.section)).arg(row);
        nameControl(window, r.count, prefix + QStringLiteral("count"));
        nameControl(window, r.list, prefix + QStringLiteral("type"));
        if (r.marching)
            nameControl(window, *r.marching, prefix + QStringLiteral("marching"));
    }
    for (const auto &[id, name] : kFields)
        nameControl(window, id, qs(name));
}

// A summary number alone says nothing ("4"): it is named by its whole
// sentence, "You can Carry 4 Squad/s OR 10000 Pounds of Cargo", made from
// the sentence's labels as they read. The numbers are the frame's centred
// labels; the engine writes them, and each write renews the name.
void nameSummaryNumbers(Window &window)
{
    const std::vector<std::vector<Id>> sentences = {
        {Id::Label109, Id::Label110, Id::Label68, Id::Label107, Id::Label108, Id::Label70},
        {Id::Label39, Id::Label40, Id::Label106},
        {Id::Label74, Id::Label75, Id::Label111},
        {Id::Label112, Id::Label121, Id::Label93},
    };
    for (const std::vector<Id> &sentence : sentences) {
        auto rename = [&window, sentence] {
            QStringList words;
            for (Id part : sentence)
                words << qs(window.text(part)).simplified();
            const QString name = words.join(QLatin1Char(' '));
            for (Id part : sentence) {
                QWidget *number = window.widget(part);
                // Only a real change is announced to a screen reader.
                if (design(part).has(Centred) && number->accessibleName() != name)
                    number->setAccessibleName(name);
            }
        };
        rename();
        QObject::connect(&window, &Window::captionWritten, &window, [rename, sentence](Id label) {
            if (std::find(sentence.begin(), sentence.end(), label) != sentence.end())
                rename();
        });
    }
}

void describeClears(Window &window)
{
    for (const auto &[id, what] : kClears) {
        QWidget *button = window.widget(id);
        button->setToolTip(qs(what));
        button->setAccessibleDescription(qs(what));
    }
}

// The platform's keys for printing and quitting press the Print and Exit
// buttons, so that they run exactly what a click runs. A platform without
// such a key binds nothing.
void bindKeys(Window &window)
{
    qobject_cast<QAbstractButton *>(window.widget(Id::Command1))->setShortcut(QKeySequence::Print);
    qobject_cast<QAbstractButton *>(window.widget(Id::Command3))->setShortcut(QKeySequence::Quit);
}

} // namespace

void makeAccessible(Window &window)
{
    nameRows(window);
    nameSummaryNumbers(window);
    describeClears(window);
    bindKeys(window);
}

} // namespace quarvel
