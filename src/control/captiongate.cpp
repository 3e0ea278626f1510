#include "control/captiongate.h"

#include <QElapsedTimer>

namespace caption {

namespace {

class SteadyClock : public Clock
{
public:
    SteadyClock() { m_timer.start(); }
    qint64 nowMs() const override { return m_timer.elapsed(); }

private:
    QElapsedTimer m_timer;
};

} // namespace

const Clock &steadyClock()
{
    static const SteadyClock clock;
    return clock;
}

CaptionGate::CaptionGate(const Clock &clock) : m_clock(&clock), m_alphaTime(clock.nowMs()) {}

void CaptionGate::markLoaded()
{
    m_loaded = true;
    m_loadTime = m_clock->nowMs();
}

bool CaptionGate::loadSettled() const
{
    return !m_loaded || m_clock->nowMs() - m_loadTime >= kLoadGuardMs;
}

bool CaptionGate::acceptAlpha()
{
    if (msUntilAlphaOpen() > 0)
        return false;
    restartAlpha();
    return true;
}

void CaptionGate::restartAlpha()
{
    m_alphaTime = m_clock->nowMs();
}

qint64 CaptionGate::msUntilAlphaOpen() const
{
    return qMax<qint64>(0, kAlphaGapMs - (m_clock->nowMs() - m_alphaTime));
}

} // namespace caption
