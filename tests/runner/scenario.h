#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quarvel::scenario {

// One step of a scenario file: its verb and arguments, as written.
struct Step {
    int line = 0;
    std::string source; // the line, trimmed
    std::string verb;
    std::vector<std::string> args;
};

struct ParseError {
    int line = 0;
    std::string source;
    std::string why;
};

struct Script {
    std::vector<Step> steps;
    std::vector<ParseError> errors; // steps the runner does not know
};

// One line of a scenario file, numbered from 1: the step it holds, or why
// it holds none the runner knows; neither for a blank or comment line.
struct Line {
    std::optional<Step> step;
    std::optional<ParseError> error;
};

Line parseLine(std::string_view line, int number);

// Reads a scenario file's text: one step a line, '#' lines and blank lines
// skipped, TEXT arguments quoted or the rest of the line.
Script parse(std::string_view text);

} // namespace quarvel::scenario
