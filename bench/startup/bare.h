#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <vector>

namespace quarvel {

// What a bare window shows: the kinds, places, texts and list entries of
// Quarvel's widgets, read before any timing starts.
struct BareControl {
    enum Kind { Label, Edit, List, EditableList, Check, Button } kind;
    QRect rect;
    QString text;
    QStringList entries;
};

std::vector<BareControl> bareControls();

// The same widgets as Quarvel's window, with the same texts and entries, made
// one after the other as Quarvel makes them (its editable lists included),
// beneath the same menus: no design table, no cells, no events, no start-up
// handler. What Qt itself costs for this window.
class BareWindow : public QWidget {
public:
    explicit BareWindow(const std::vector<BareControl> &controls);
};

} // namespace quarvel
