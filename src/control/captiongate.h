#pragma once

#include <QtGlobal>

namespace caption {

// Milliseconds on a monotonic scale. The panel reads time through one so that tests can
// put a clock of their own in its place.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual qint64 nowMs() const = 0;
};

// The process's monotonic clock.
const Clock &steadyClock();

// The two time rules of the caption panel.
//
// Load guard: the program puts settings into the panel's lists and slider at login (and
// after a language change); the change handlers must not send those back. Changes within
// kLoadGuardMs of the last load are ignored.
//
// Transparency gate: a slider being dragged sends at most one value per kAlphaGapMs.
class CaptionGate
{
public:
    static constexpr qint64 kLoadGuardMs = 1000;
    static constexpr qint64 kAlphaGapMs = 200;

    // The gap starts closed, as if a value had just been accepted.
    explicit CaptionGate(const Clock &clock = steadyClock());

    // Settings were put into the panel now.
    void markLoaded();
    // Nothing was loaded yet, or at least kLoadGuardMs have passed since.
    bool loadSettled() const;

    // At least kAlphaGapMs since the last accepted value: accepts this one (the gap starts
    // again) and returns true. Otherwise the value is to be dropped.
    bool acceptAlpha();
    // Starts the gap now (a value that went out by another way).
    void restartAlpha();
    // How long until acceptAlpha() accepts again (0 when it would now).
    qint64 msUntilAlphaOpen() const;

private:
    const Clock *m_clock;
    bool m_loaded = false;
    qint64 m_loadTime = 0;
    qint64 m_alphaTime = 0;
};

} // namespace caption
