#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quarvel::scenario {

// An argument: a control's name, of any kind or of the kind the step works
// on; a whole number; a key name; a TEXT, or a TEXT that may be left out.
enum class Arg { Control, List, CheckBox, Button, TextField, Texted, Number, Key, Text, MaybeText };

inline bool namesControl(Arg arg) { return arg <= Arg::Texted; }

// What a step needs before it plays: nothing (it may check what Exit left),
// the window open, or a control a person can reach, shown and enabled, named
// first.
enum class Needs { Nothing, OpenWindow, UsableControl };

using Failure = std::optional<std::string>; // "expected ...; found ...", or nothing
struct Call;                                // a step about to play, and where

// A step the runner knows: its verb, its arguments and how it plays.
struct Verb {
    std::string_view name;
    std::vector<Arg> args;
    Needs needs;
    Failure (*play)(const Call &call);
    bool on = true;             // the state it turns to or checks: tick or untick, enabled or disabled
    std::string_view item = {}; // the menu item it chooses or checks, or the key it presses
};

// The verb of that name, or null.
const Verb *verbNamed(std::string_view name);

// One step of a scenario file, as written: the verb it names and its
// arguments, or why the runner does not know it.
struct Step {
    std::string source; // the line, trimmed
    const Verb *verb = nullptr;
    std::vector<std::string> args;
    std::string unknown; // why there is no verb
};

struct Script {
    std::vector<Step> steps, errors; // errors: the steps the runner does not know
};

// The step on one line of a scenario file, numbered from 1; none on a blank
// or comment line.
std::optional<Step> parseLine(std::string_view line, int number);

// Reads a scenario file's text: one step a line, '#' lines and blank lines
// skipped, TEXT arguments quoted or the rest of the line.
Script parse(std::string_view text);

} // namespace quarvel::scenario
