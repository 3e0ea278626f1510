#pragma once

#include <QApplication>
#include <QtTest>

// Test entry point shared by every test executable: offscreen platform, built-in resources,
// dialog seam in test mode, and all local state below a temporary folder of its own.
namespace pelmora::test {

void prepareEnvironment();
void initApplication(QApplication &app);

// Collects the warnings Qt prints while it lives; `fatalPattern` warnings fail the test
// at once (QFAIL is not available outside test functions, so they are kept and checked).
class WarningCatcher
{
public:
    WarningCatcher();
    ~WarningCatcher();
    QStringList warnings() const;
    bool contains(const QString &fragment) const;

private:
    QtMessageHandler m_previous;
};

// Spins the event loop until `pred` holds or `timeoutMs` has passed.
template<typename Pred>
bool waitFor(Pred pred, int timeoutMs = 5000)
{
    return QTest::qWaitFor(pred, timeoutMs);
}

} // namespace pelmora::test

#define PELMORA_TEST_MAIN(TestObject)                                                                        \
    int main(int argc, char **argv)                                                                          \
    {                                                                                                        \
        pelmora::test::prepareEnvironment();                                                                 \
        QApplication app(argc, argv);                                                                        \
        pelmora::test::initApplication(app);                                                                 \
        TestObject tc;                                                                                       \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&tc, argc, argv);                                                                \
    }
