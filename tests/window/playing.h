#pragma once

#include "player.h"

#include <QFile>

#include <gtest/gtest.h>

#include <string>

namespace quarvel {

// A window test plays steps as a scenario does: the same player, the same
// message-box queue.
class WindowTest : public testing::Test {
protected:
    void SetUp() override { player.newWindow(); }

    Window &window() { return player.window(); }
    // The state the person's last action left.
    const FormState &state()
    {
        window().finishStep();
        return window().state();
    }

    // Plays scenario lines; the first failure, or "" when all pass.
    std::string play(const std::string &lines)
    {
        const scenario::Script script = scenario::parse(lines);
        if (!script.errors.empty())
            return "step not known: " + script.errors.front().source;
        for (const scenario::Step &step : script.steps)
            if (auto failure = player.play(step))
                return step.source + ": " + *failure;
        return "";
    }

    scenario::Player player;
};

// A file's bytes; none when it cannot be read.
inline QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes the bytes as the whole file.
inline bool put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace quarvel
