#include "app/helpwindow.h"

#include "app/menus.h"
#include "cells/number.h"
#include "commands/reference.h"
#include "rows/cellnames.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace quarvel {
namespace {

// Each menu item that has keys, as "Ctrl+S: File › Save", read from the
// menus themselves so that the list shows the keys this desktop gives.
void listKeys(QString &html, const QList<QAction *> &items, const QString &path)
{
    for (const QAction *item : items) {
        const QString name = shownText(item);
        const QString itemPath = path.isEmpty() ? name : path + QStringLiteral(" › ") + name;
        if (const QMenu *menu = item->menu())
            listKeys(html, menu->actions(), itemPath);
        else if (!item->shortcuts().isEmpty()) {
            QStringList keys;
            for (const QKeySequence &key : item->shortcuts())
                keys << key.toString(QKeySequence::NativeText).toHtmlEscaped();
            html += QStringLiteral("<tr><td>%1</td><td>%2</td></tr>")
                        .arg(keys.join(QStringLiteral(", ")), itemPath.toHtmlEscaped());
        }
    }
}

QString guide()
{
    return QObject::tr(R"(<h2>Quarvel</h2>
<p>Quarvel plans the force and the supplies of a military mission. Record the
attack in the header, choose a mission type, then list the force section by
section: in each row type a count and pick a type from its list. Each pick
books the row's count of that type into the totals, and the four sentences at
the bottom show what the force can still carry and tow, and what supplies the
mission needs.</p>

<h3>The sections</h3>
<p><b>Mission Type</b> sets the mission code, 1 to 3 (see the types below):
each unit needs its combat load times the code in supplies. Until a mission type is
chosen, most rows stay closed and typing a count shows a "Mission Error".</p>
<p><b>Trucks</b>, <b>APCs</b>, <b>Armour</b> and <b>Vehicles</b> (engineer,
recovery, bridging, self-propelled guns, air defence) give transport room and
towing, and add their own supplies.</p>
<p><b>Infantry</b> rides the transport unless its row's "Marching" box is
ticked; a squad takes one squad of room, a section half a squad.
<b>Weapons</b> ride as cargo, and so do the <b>Combat Supplies</b> beyond
what the units carry as their combat load. <b>Towed Units</b> take
towing.</p>

<h3>The sentences</h3>
<p><b>You can Carry … Squad/s OR … Pounds of Cargo</b>: the transport room
still free, as squads of %1 pounds or as pounds.<br>
<b>You can Tow … Weapons from the "Towed" Section</b>: the towing still free.<br>
<b>You Will Need … Combat Supplies for the Mission</b>: every unit's combat
load times the mission code.<br>
<b>Of Those, … Supplies can be carried as the Combat Load</b>: what the units
carry themselves; supplies beyond it ride as cargo.</p>

<h3>Booking, Clear and a refused pick</h3>
<p>Every pick books the row again, also a pick of the entry already shown:
to change a row, Clear its section and enter it anew. A section's
<b>Clear</b> empties its rows and takes all it booked back out of the
totals; Trucks and APCs share one Clear, as do Weapons and Combat Supplies.
When the transport cannot carry a pick or tow it, a "Transport Error" says so
and the pick books nothing.</p>

<h3>Plans, Undo and recovery</h3>
<p>File › Save keeps the whole window as a plan (<tt>.quarvel</tt>);
Open brings one back, Open Recent lists the last ones. Export as PDF saves
the page Print prints. Edit › Undo takes back each action whole (a pick, a
stretch of typing, a Clear, New, Open), and Redo brings it back.
Edit › Copy Summary puts the attack, the mission type and the four sentences
on the clipboard as plain text. Work not saved is kept as you go: File ›
Recover Unsaved Plans and Reopen Last Session bring it back after the window
ended, however it ended.</p>

<h3>Keys</h3>
<p>Tab and Shift+Tab move from box to box. In a list, Up and Down pick the
next entry, and each such pick books the row; typing into a list's box and
pressing Enter books nothing.</p>
)")
        .arg(QString::fromStdString(numberText(kSquadPounds)));
}

} // namespace

HelpWindow::HelpWindow(const QMenuBar &menus, QWidget *parent)
    : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this))
{
    setWindowTitle(tr("Quarvel Help"));
    QString html = guide() + QStringLiteral("<table>");
    listKeys(html, menus.actions(), QString());
    html += QStringLiteral("</table><h2>%1</h2><p>%2</p>")
                .arg(tr("The types and their figures"),
                     tr("The figures of one unit, as a pick books them times the row's count. Combat load is in "
                        "supply units; squads and towing are the room a vehicle gives, or a unit takes."));
    html += QString::fromStdString(typeReference());
    browser_->document()->setDefaultStyleSheet(
        QStringLiteral("th, td { padding: 1px 12px 1px 0; white-space: nowrap; }"));
    browser_->setHtml(html);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(640, 680);
}

} // namespace quarvel
