#include "scenario.h"

#include "cells/controlid.h"

#include <array>
#include <cctype>

namespace quarvel::scenario {
namespace {

// Argument kinds: a control's name, a whole number, a key name, or a TEXT.
enum class Arg { Control, Number, Key, Text };

struct Verb {
    std::string_view name;
    std::vector<Arg> args;
};

const std::array<Verb, 19> &verbs()
{
    static const std::array<Verb, 19> table{{
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
        {"alert", {Arg::Text, Arg::Text}},
        {"no-alert", {}},
        {"focus", {Arg::Control}},
    }};
    return table;
}

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

Script parse(std::string_view text)
{
    Script script;
    int lineNo = 0;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3); // a byte-order mark some editors write
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view raw = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNo;

        std::string_view rest = trim(raw);
        if (rest.empty() || rest.front() == '#')
            continue;
        Step step;
        step.line = lineNo;
        step.source = std::string(rest);
        step.verb = word(rest);
        // `shot` takes a file name: a TEXT, so that it may hold blanks.
        const Verb shot{"shot", {Arg::Text}};
        const Verb *verb = step.verb == "shot" ? &shot : nullptr;
        for (const Verb &v : verbs())
            if (v.name == step.verb)
                verb = &v;
        auto fail = [&](std::string why) { script.errors.push_back({lineNo, step.source, std::move(why)}); };
        if (!verb) {
            fail("unknown step \"" + step.verb + "\"");
            continue;
        }

        bool ok = true;
        for (std::size_t i = 0; ok && i < verb->args.size(); ++i) {
            rest = trim(rest);
            const bool last = i + 1 == verb->args.size();
            const Arg kind = verb->args[i];
            if (kind == Arg::Text) {
                std::string_view after = rest;
                if (auto q = quoted(after); q && (!last || trim(after).empty())) {
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
            if (w.empty()) {
                fail("too few arguments for \"" + step.verb + "\"");
                ok = false;
            } else if (kind == Arg::Control && !idNamed(w)) {
                fail("no control named \"" + w + "\"");
                ok = false;
            } else if (kind == Arg::Number && !wholeNumber(w)) {
                fail("\"" + w + "\" is not a whole number");
                ok = false;
            }
            step.args.push_back(std::move(w));
        }
        if (ok && !trim(rest).empty()) {
            fail("too many arguments for \"" + step.verb + "\"");
            ok = false;
        }
        if (ok)
            script.steps.push_back(std::move(step));
    }
    return script;
}

} // namespace quarvel::scenario
