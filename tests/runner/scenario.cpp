#include "scenario.h"

#include "cells/controlid.h"

#include <cctype>

namespace quarvel::scenario {
namespace {

// Argument kinds: a control's name, a whole number, a key name, a TEXT, or a
// TEXT that may be left out.
enum class Arg { Control, Number, Key, Text, MaybeText };

struct Verb {
    std::string_view name;
    std::vector<Arg> args;
};

const Verb kVerbs[] = {
    {"type", {Arg::Control, Arg::Text}},
    {"erase", {Arg::Control}},
    {"pick", {Arg::Control, Arg::Text}},
    {"tick", {Arg::Control}},
    {"untick", {Arg::Control}},
    {"press", {Arg::Control}},
    {"tab", {}},
    {"key", {Arg::Key}},
    {"set", {Arg::Control, Arg::Text}},
    {"expect", {Arg::Control, Arg::Text}},
    {"enabled", {Arg::Control}},
    {"disabled", {Arg::Control}},
    {"ticked", {Arg::Control}},
    {"unticked", {Arg::Control}},
    {"entries", {Arg::Control, Arg::Number}},
    {"entry", {Arg::Control, Arg::Number, Arg::Text}},
    {"alert", {Arg::Text, Arg::MaybeText}},
    {"no-alert", {}},
    {"focus", {Arg::Control}},
    {"shot", {Arg::Text}},
    {"new", {}},
    {"open", {Arg::Text}},
    {"save", {Arg::MaybeText}},
    {"export", {Arg::Text}},
    {"menu", {Arg::Text}},
    {"undo", {}},
    {"redo", {}},
    {"can-undo", {}},
    {"cannot-undo", {}},
    {"can-redo", {}},
    {"cannot-redo", {}},
    {"modified", {}},
    {"unmodified", {}},
    {"clipboard", {Arg::Text}},
};

bool blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (blank(s.front()) || s.front() == '\r'))
        s.remove_prefix(1);
    while (!s.empty() && (blank(s.back()) || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// A double-quoted string at the start of `s`; on success `s` is left after it.
std::optional<std::string> quoted(std::string_view &s)
{
    if (s.empty() || s.front() != '"')
        return std::nullopt;
    std::string out;
    for (std::size_t i = 1; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '\\' && i + 1 < s.size() && (s[i + 1] == '"' || s[i + 1] == '\\')) {
            out.push_back(s[++i]);
        } else if (c == '"') {
            s.remove_prefix(i + 1);
            return out;
        } else {
            out.push_back(c);
        }
    }
    return std::nullopt;
}

std::string word(std::string_view &s)
{
    std::size_t n = 0;
    while (n < s.size() && !blank(s[n]))
        ++n;
    std::string w(s.substr(0, n));
    s.remove_prefix(n);
    return w;
}

bool wholeNumber(const std::string &s)
{
    if (s.empty() || s.size() > 9)
        return false;
    for (char c : s)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

} // namespace

Line parseLine(std::string_view raw, int number)
{
    Line line;
    if (number == 1 && raw.substr(0, 3) == "\xEF\xBB\xBF")
        raw.remove_prefix(3); // a byte-order mark some editors write
    std::string_view rest = trim(raw);
    if (rest.empty() || rest.front() == '#')
        return line;
    Step step;
    step.line = number;
    step.source = std::string(rest);
    step.verb = word(rest);
    const Verb *verb = nullptr;
    for (const Verb &v : kVerbs)
        if (v.name == step.verb)
            verb = &v;
    auto fail = [&](std::string why) {
        line.error = ParseError{number, step.source, std::move(why)};
        return line;
    };
    if (!verb)
        return fail("unknown step \"" + step.verb + "\"");

    for (std::size_t i = 0; i < verb->args.size(); ++i) {
        rest = trim(rest);
        const bool last = i + 1 == verb->args.size();
        const Arg kind = verb->args[i];
        if (kind == Arg::MaybeText && rest.empty())
            break;
        if (kind == Arg::Text || kind == Arg::MaybeText) {
            std::string_view after = rest;
            const std::optional<std::string> q = quoted(after);
            if (!q && !rest.empty() && rest.front() == '"')
                return fail("a quote that is not closed");
            if (q && (!last || trim(after).empty())) {
                step.args.push_back(*q);
                rest = after;
            } else if (last) {
                step.args.emplace_back(rest);
                rest = {};
            } else {
                step.args.push_back(word(rest));
            }
            continue;
        }
        std::string w = word(rest);
        if (w.empty())
            return fail("too few arguments for \"" + step.verb + "\"");
        if (kind == Arg::Control && !idNamed(w))
            return fail("no control named \"" + w + "\"");
        if (kind == Arg::Number && !wholeNumber(w))
            return fail("\"" + w + "\" is not a whole number");
        step.args.push_back(std::move(w));
    }
    if (!trim(rest).empty())
        return fail("too many arguments for \"" + step.verb + "\"");
    line.step = std::move(step);
    return line;
}

Script parse(std::string_view text)
{
    Script script;
    for (int number = 1; !text.empty(); ++number) {
        const std::size_t end = text.find('\n');
        Line line = parseLine(text.substr(0, end), number);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.step)
            script.steps.push_back(std::move(*line.step));
        if (line.error)
            script.errors.push_back(std::move(*line.error));
    }
    return script;
}

} // namespace quarvel::scenario
