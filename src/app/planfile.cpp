#include "app/planfile.h"

#include "app/qs.h"
#include "cells/cells.h"
#include "commands/files.h"
#include "rows/sections.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace quarvel {
namespace {

// Version 2 keeps what each row has booked; a plan of version 1 opens with
// nothing booked beyond what its rows show.
constexpr int kVersion = 2;
constexpr int kBookingsVersion = 2;
const QString kFormat = QStringLiteral("Quarvel plan");

// As long as a text box takes.
constexpr qsizetype kMostText = 32767;

QString name(const ControlDesign &d) { return qs(d.name); }

// Whether a list that takes no typing can show the text: nothing, or one of
// its section's types.
bool offers(Id list, const std::string &text)
{
    if (text.empty())
        return true;
    for (const Section *section : kSections)
        for (const Row &row : section->rows)
            if (row.list == list)
                return std::find(section->types.begin(), section->types.end(), text) != section->types.end();
    return false;
}

bool special(unsigned char c) { return c < 0x20 || c == '"' || c == '\\'; }

// Where the first character from `from` on stands that JSON must escape, or
// the text's end. Eight characters are looked at in one step, as one word:
// a box full of text is written at about the speed of memory.
std::size_t firstSpecial(std::string_view text, std::size_t from)
{
    constexpr std::uint64_t kOnes = ~std::uint64_t(0) / 255; // 0x0101…01
    constexpr std::uint64_t kHighs = kOnes * 0x80;
    auto anyZero = [](std::uint64_t w) { return ((w - kOnes) & ~w & kHighs) != 0; };
    std::size_t i = from;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t w;
        std::memcpy(&w, text.data() + i, 8);
        const bool control = ((w - kOnes * 0x20) & ~w & kHighs) != 0; // a byte below 0x20
        if (control || anyZero(w ^ (kOnes * '"')) || anyZero(w ^ (kOnes * '\\')))
            break;
    }
    while (i < text.size() && !special(static_cast<unsigned char>(text[i])))
        ++i;
    return i;
}

} // namespace

// Written by hand rather than through QJsonDocument: the format and version
// come first and the controls in the window's order, and a plan with every
// box full is written in a few milliseconds.
QByteArray planText(const FormState &state, const QString &planFile)
{
    QByteArray out =
        "{\n    \"format\": \"" + kFormat.toUtf8() + "\",\n    \"version\": " + QByteArray::number(kVersion) + ",\n";
    // The name as the system's bytes, which need not be UTF-8, written so
    // that JSON can hold them.
    if (!planFile.isEmpty())
        out += "    \"plan\": \"" + escapeName(planFile) + "\",\n";
    out += "    \"controls\": {";
    auto quoted = [&out](std::string_view text) {
        out += '"';
        for (std::size_t plain = 0;;) { // where the run that needs no escape begins
            const std::size_t escape = firstSpecial(text, plain);
            out.append(text.data() + plain, qsizetype(escape - plain));
            if (escape == text.size())
                break;
            const auto c = static_cast<unsigned char>(text[escape]);
            out += c >= 0x20 ? QByteArray("\\") + char(c) : "\\u00" + QByteArray::number(c, 16).rightJustified(2, '0');
            plain = escape + 1;
        }
        out += '"';
    };
    qsizetype size = out.size();
    for (const std::string &text : state.texts)
        size += qsizetype(text.size()) + 48;
    out.reserve(size);
    const char *comma = "\n";
    for (const ControlDesign &d : kDesign) {
        if (!holdsState(d))
            continue;
        out += comma;
        comma = ",\n";
        out += "        ";
        quoted(d.name);
        out += ": ";
        const std::string &text = state.texts[index(d.id)];
        if (d.kind == Kind::CheckBox) {
            out += text == "1" ? "true" : "false";
        } else if (d.kind == Kind::List) {
            out += "{\"text\": ";
            quoted(text);
            out += state.enabled[index(d.id)] ? ", \"open\": true" : ", \"open\": false";
            if (!state.tags[index(d.id)].empty()) {
                out += ", \"booked\": ";
                quoted(state.tags[index(d.id)]);
            }
            out += '}';
        } else {
            quoted(text);
        }
    }
    out += "\n    }\n}\n";
    return out;
}

std::optional<FormState> readPlan(const QByteArray &bytes, QString &why, QString *planFile)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (document.isNull()) {
        const bool cut = error.offset >= bytes.size() - 1 && !bytes.trimmed().isEmpty() && bytes.trimmed()[0] == '{';
        why = cut ? QStringLiteral("is cut short") : QStringLiteral("is not a Quarvel plan");
        return std::nullopt;
    }
    const QJsonObject plan = document.object();
    if (!document.isObject() || plan.value(QStringLiteral("format")).toString() != kFormat) {
        why = QStringLiteral("is not a Quarvel plan");
        return std::nullopt;
    }
    const QJsonValue version = plan.value(QStringLiteral("version"));
    if (!version.isDouble() || version.toDouble() < 1 || version.toDouble() > kVersion ||
        version.toDouble() != std::floor(version.toDouble())) {
        why = version.isDouble() && version.toDouble() > kVersion
                  ? QStringLiteral("was saved by a newer Quarvel (plan version %1)").arg(version.toDouble())
                  : QStringLiteral("has no plan version this Quarvel knows");
        return std::nullopt;
    }
    const QJsonValue controlsValue = plan.value(QStringLiteral("controls"));
    if (!controlsValue.isObject()) {
        why = QStringLiteral("holds no controls");
        return std::nullopt;
    }
    if (planFile)
        *planFile = unescapeName(plan.value(QStringLiteral("plan")).toString().toLatin1());
    const QJsonObject controls = controlsValue.toObject();
    for (auto c = controls.begin(); c != controls.end(); ++c) {
        const std::optional<Id> id = idNamed(c.key().toStdString());
        if (!id || !holdsState(design(*id))) {
            why = QStringLiteral("names a control the window does not have (\"%1\")").arg(c.key().left(40));
            return std::nullopt;
        }
    }

    FormState state;
    for (const ControlDesign &d : kDesign) {
        if (!holdsState(d))
            continue;
        const QJsonValue value = controls.value(name(d));
        const std::size_t i = index(d.id);
        if (value.isUndefined()) {
            why = QStringLiteral("leaves out the control %1").arg(name(d));
            return std::nullopt;
        }
        QJsonValue text = value;
        bool open = true;
        if (d.kind == Kind::List) {
            const QJsonObject list = value.toObject();
            text = list.value(QStringLiteral("text"));
            const QJsonValue openValue = list.value(QStringLiteral("open"));
            if (!value.isObject() || !openValue.isBool()) {
                why = QStringLiteral("gives the list %1 no text and no open state").arg(name(d));
                return std::nullopt;
            }
            open = openValue.toBool();
            const QJsonValue booked = list.value(QStringLiteral("booked"));
            if (version.toDouble() >= kBookingsVersion && !booked.isUndefined()) {
                if (!booked.isString()) {
                    why = QStringLiteral("gives the list %1 bookings that are no text").arg(name(d));
                    return std::nullopt;
                }
                state.tags[i] = booked.toString().toStdString();
            }
        }
        if (d.kind == Kind::CheckBox) {
            if (!value.isBool()) {
                why = QStringLiteral("gives the check box %1 no tick").arg(name(d));
                return std::nullopt;
            }
            state.texts[i] = value.toBool() ? "1" : "0";
        } else {
            if (!text.isString()) {
                why = QStringLiteral("gives %1 no text").arg(name(d));
                return std::nullopt;
            }
            const QString string = text.toString();
            if (string.size() > kMostText) {
                why = QStringLiteral("gives %1 a text longer than the window can hold").arg(name(d));
                return std::nullopt;
            }
            state.texts[i] = string.toStdString();
            if (d.has(ListOnly) && !offers(d.id, state.texts[i])) {
                why = QStringLiteral("shows in the list %1 a type it does not offer").arg(name(d));
                return std::nullopt;
            }
        }
        state.enabled[i] = open;
    }
    return state;
}

std::optional<FormState> readPlanFile(const QString &path, QString &why, QString *planFile)
{
    const std::optional<QByteArray> bytes = readWhole(path, kMostPlanBytes, why);
    if (!bytes)
        return std::nullopt;
    if (bytes->size() > kMostPlanBytes) {
        why = QStringLiteral("is too large to be a plan");
        return std::nullopt;
    }
    return readPlan(*bytes, why, planFile);
}

bool writePlanFile(const QString &path, const FormState &state, QString &why)
{
    why = writeWhole(path, planText(state));
    return why.isEmpty();
}

} // namespace quarvel
