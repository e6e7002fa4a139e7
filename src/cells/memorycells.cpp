#include "cells/memorycells.h"

#include "cells/design.h"

#include <algorithm>

namespace quarvel {

MemoryCells::MemoryCells(Router router) : router_(router)
{
    for (const ControlDesign &d : kDesign) {
        Cell &c = cell(d.id);
        c.text = std::string(d.text);
        c.enabled = !d.has(Disabled);
    }
}

void MemoryCells::load() { deliver(Id::Form1, Event::Load); }

std::string MemoryCells::text(Id id) const
{
    if (design(id).kind == Kind::CheckBox)
        return cell(id).ticked ? "1" : "0"; // a check box's value
    return cell(id).text;
}

void MemoryCells::setText(Id id, std::string_view text)
{
    const ControlDesign &d = design(id);
    Cell &c = cell(id);
    if (d.kind == Kind::List && d.has(ListOnly)) {
        // A list-only list shows one of its entries or none.
        const bool entry = std::find(c.entries.begin(), c.entries.end(), text) != c.entries.end();
        c.text = entry ? std::string(text) : std::string();
        return;
    }
    if (c.text == text)
        return;
    c.text = std::string(text);
    if (d.kind == Kind::TextBox)
        deliver(id, Event::Change);
}

bool MemoryCells::ticked(Id check) const { return cell(check).ticked; }
void MemoryCells::untick(Id check) { cell(check).ticked = false; }
void MemoryCells::setEnabled(Id list, bool enabled) { cell(list).enabled = enabled; }
void MemoryCells::restore(const FormState &state)
{
    for (const ControlDesign &d : kDesign) {
        if (!holdsState(d))
            continue;
        Cell &c = cell(d.id);
        if (d.kind == Kind::CheckBox)
            c.ticked = state.texts[index(d.id)] == "1";
        else
            c.text = state.texts[index(d.id)];
        c.enabled = state.enabled[index(d.id)];
        c.tag = state.tags[index(d.id)];
    }
}

void MemoryCells::addEntry(Id list, std::string_view entry) { cell(list).entries.emplace_back(entry); }

void MemoryCells::alert(std::string_view prompt, std::string_view title)
{
    alerts_.push_back({std::string(prompt), std::string(title)});
}

void MemoryCells::print() { ++printed_; }
void MemoryCells::exit() { exited_ = true; }

bool MemoryCells::usable(Id id) const { return !exited_ && cell(id).enabled && !design(id).has(Hidden); }

void MemoryCells::type(Id box, std::string_view keys)
{
    if (!usable(box) || design(box).has(ListOnly))
        return;
    for (char key : keys)
        setText(box, cell(box).text + key);
}

void MemoryCells::erase(Id box)
{
    if (usable(box) && !design(box).has(ListOnly))
        setText(box, "");
}

bool MemoryCells::pick(Id list, std::string_view entry)
{
    const auto &entries = cell(list).entries;
    if (!usable(list) || std::find(entries.begin(), entries.end(), entry) == entries.end())
        return false;
    cell(list).text = std::string(entry);
    deliver(list, Event::Click);
    return true;
}

void MemoryCells::tick(Id check)
{
    if (usable(check))
        cell(check).ticked = true;
}

void MemoryCells::press(Id button)
{
    if (usable(button))
        deliver(button, Event::Click);
}

} // namespace quarvel
