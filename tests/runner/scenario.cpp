#include "scenario.h"

#include "cells/controlid.h"

#include <algorithm>
#include <cctype>

namespace quarvel::scenario {
namespace {

constexpr std::string_view kBlanks = " \t";

// Without the blanks around it, and a line end's carriage return.
std::string_view trim(std::string_view s)
{
    const std::size_t first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// A double-quoted string at the start of `s`; on success `s` is left after it.
std::optional<std::string> quoted(std::string_view &s)
{
    if (s.empty() || s.front() != '"')
        return std::nullopt;
    std::string out;
    for (std::size_t i = 1; i < s.size(); ++i) {
        if (s[i] == '"') {
            s.remove_prefix(i + 1);
            return out;
        }
        const bool escape = s[i] == '\\' && i + 1 < s.size() && (s[i + 1] == '"' || s[i + 1] == '\\');
        out.push_back(s[escape ? ++i : i]);
    }
    return std::nullopt;
}

// The word at the start of `s`, up to a blank; `s` is left after it.
std::string word(std::string_view &s)
{
    std::string w(s.substr(0, s.find_first_of(kBlanks)));
    s.remove_prefix(w.size());
    return w;
}

bool wholeNumber(const std::string &s)
{
    const auto digit = [](unsigned char c) { return std::isdigit(c) != 0; };
    return !s.empty() && s.size() <= 9 && std::all_of(s.begin(), s.end(), digit);
}

} // namespace

std::optional<Step> parseLine(std::string_view raw, int number)
{
    if (number == 1 && raw.substr(0, 3) == "\xEF\xBB\xBF")
        raw.remove_prefix(3); // a byte-order mark some editors write
    std::string_view rest = trim(raw);
    if (rest.empty() || rest.front() == '#')
        return std::nullopt;
    Step step;
    step.source = std::string(rest);
    const std::string name = word(rest);
    step.verb = verbNamed(name);
    auto fail = [&](std::string why) {
        step.verb = nullptr;
        step.unknown = std::move(why);
        return step;
    };
    // One message for arguments that do not fit the verb's, too few or too many.
    const std::string mismatch = "the wrong number of arguments for \"" + name + "\"";
    if (!step.verb)
        return fail("unknown step \"" + name + "\"");
    const std::vector<Arg> &args = step.verb->args;

    for (std::size_t i = 0; i < args.size(); ++i) {
        rest = trim(rest);
        const bool last = i + 1 == args.size();
        const Arg kind = args[i];
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
            return fail(mismatch);
        if (namesControl(kind) && !idNamed(w))
            return fail("no control named \"" + w + "\"");
        if (kind == Arg::Number && !wholeNumber(w))
            return fail("\"" + w + "\" is not a whole number");
        step.args.push_back(std::move(w));
    }
    if (!trim(rest).empty())
        return fail(mismatch);
    return step;
}

Script parse(std::string_view text)
{
    Script script;
    for (int number = 1; !text.empty(); ++number) {
        const std::size_t end = text.find('\n');
        std::optional<Step> step = parseLine(text.substr(0, end), number);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (step)
            (step->verb ? script.steps : script.errors).push_back(std::move(*step));
    }
    return script;
}

} // namespace quarvel::scenario
