#pragma once

#include "scenario.h"

#include "app/window.h"

#include <QObject>

#include <deque>
#include <memory>
#include <optional>
#include <string>

namespace quarvel::scenario {

// A message box as it was shown.
struct Box {
    std::string title, prompt;
    bool critical = false;
    bool okOnly = false;
    bool modal = false;
    std::string describe() const;
};

// Plays steps on a real window, offscreen, as a person would: key and mouse
// events, the list's own drop-down. Every message box is answered with OK as
// soon as it shows and queued for `alert`; any other dialog is cancelled.
class Player : public QObject {
public:
    Player();
    ~Player() override;

    // A new window, after start-up, exactly as the program starts.
    void newWindow();
    Window &window() { return *window_; }

    // Plays one step; the failure as "expected ...; found ...", or nothing.
    std::optional<std::string> play(const Step &step);

    // Message boxes shown and not yet checked by `alert`.
    const std::deque<Box> &unchecked() const { return boxes_; }
    int dialogsCancelled() const { return cancelled_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::optional<std::string> playStep(const Step &step);
    void settle();
    std::optional<std::string> act(const Step &step);
    std::optional<std::string> check(const Step &step);

    std::unique_ptr<Window> window_;
    std::deque<Box> boxes_;
    int cancelled_ = 0;
};

} // namespace quarvel::scenario
