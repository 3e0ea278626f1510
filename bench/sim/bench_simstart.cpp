// How fast pelmora-sim starts: the time from launching the program until it prints its
// start-up line (it then listens), beside a floor measured in the same run: the time until
// the same program prints its refusal of a bad command line, which loads it and starts Qt
// before anything of the simulator is built. The program aims at well under a second.
// Usage: bench_simstart [--runs N]
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Milliseconds from the launch until the program printed a line containing `expected` on
// `channel` (lines before it, such as Qt's notes, are passed over); -1 when none came.
double launch(const QStringList &args, QProcess::ProcessChannel channel, const char *expected)
{
    QProcess process;
    process.setReadChannel(channel);
    QElapsedTimer timer;
    timer.start();
    process.start(QStringLiteral(PELMORA_SIM_EXE), args);
    if (!process.waitForStarted(30000))
        return -1;
    double ms = -1;
    while (ms < 0 && timer.elapsed() < 30000) {
        while (ms < 0 && process.canReadLine()) {
            if (process.readLine().contains(expected))
                ms = timer.nsecsElapsed() / 1e6;
        }
        if (ms < 0 && !process.waitForReadyRead(50) && process.state() != QProcess::Running &&
            !process.canReadLine())
            break;
    }
    process.terminate();
    process.waitForFinished(30000);
    return ms;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption runsOption("runs", "Launches of each kind.", "N", "15");
    parser.addOption(runsOption);
    parser.process(app);
    const int runs = qMax(1, parser.value(runsOption).toInt());

    QTemporaryDir data;
    std::vector<double> starts;
    std::vector<double> floors;
    for (int i = 0; i < runs; ++i) {
        // Alternated, so a change of load on the machine touches both alike.
        floors.push_back(launch({QStringLiteral("--port"), QStringLiteral("not-a-port")},
                                QProcess::StandardError, "--port"));
        starts.push_back(
            launch({QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--data-dir"), data.path()},
                   QProcess::StandardOutput, "listening on"));
        if (floors.back() < 0 || starts.back() < 0) {
            std::fprintf(stderr, "pelmora-sim did not start or refuse as expected\n");
            return 1;
        }
    }
    const auto fastest = [](const std::vector<double> &v) { return *std::min_element(v.begin(), v.end()); };
    std::printf(
        "pelmora-sim start-up over %d launches: until it listens %.1f ms fastest, %.1f ms median; "
        "floor (load the program, start Qt, refuse the command line) %.1f ms fastest, %.1f ms median\n",
        runs, fastest(starts), median(starts), fastest(floors), median(floors));
    return 0;
}
