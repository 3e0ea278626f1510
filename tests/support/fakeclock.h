#pragma once

#include <QtGlobal>

namespace pelmora::test {

// A monotonic millisecond clock that moves only when the test moves it, put in place of the
// clock of `Seam` (a class with a static setClock(qint64 (*)()), such as WindowWidget) for
// as long as it lives; the real clock comes back when it goes.
template<typename Seam>
class FakeClock
{
public:
    explicit FakeClock(qint64 start = 1000)
    {
        s_now = start;
        Seam::setClock(&FakeClock::now);
    }
    ~FakeClock() { Seam::setClock(nullptr); }
    FakeClock(const FakeClock &) = delete;
    FakeClock &operator=(const FakeClock &) = delete;

    static qint64 now() { return s_now; }
    static void set(qint64 ms) { s_now = ms; }
    static void advance(qint64 ms) { s_now += ms; }

private:
    static inline qint64 s_now = 0;
};

// The same fake clock for a class that is handed its clock as an object: an `Interface` with
// a virtual qint64 nowMs() const (such as caption::Clock) that reads `now`.
template<typename Interface>
struct FakeClockObject : Interface
{
    explicit FakeClockObject(qint64 start = 1000) : now(start) {}
    qint64 nowMs() const override { return now; }

    qint64 now;
};

} // namespace pelmora::test
