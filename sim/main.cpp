// pelmora-sim: the controller simulator as a program.
#include "sim/simulator.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    if (write(g_signalPipe[1], &byte, 1) < 0) {
        // Nothing to do from a signal handler.
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName("pelmora-sim");

    QCommandLineParser parser;
    parser.setApplicationDescription("Video-wall controller simulator for the Pelmora console.");
    parser.addHelpOption();
    const QCommandLineOption portOption("port", "HTTP port (default 80; 0 picks a free one).", "N", "80");
    const QCommandLineOption bindOption("bind", "Address to listen on (default 127.0.0.1).", "ADDR",
                                        "127.0.0.1");
    const QCommandLineOption nameOption("name", "Controller name in discovery answers.", "NAME",
                                        "Pelmora-Sim");
    const QCommandLineOption configOption("config", "JSON file replacing sections of the demo data.", "FILE");
    const QCommandLineOption dataOption("data-dir",
                                        "Folder for uploaded files (default: a temporary folder).", "DIR");
    const QCommandLineOption discoveryOption(
        "discovery",
        "Answer FindViewTop on 239.255.255.250:5000 (on the interface of --bind, loopback by default).");
    const QCommandLineOption rtspPortOption(
        "rtsp-port", "RTSP port of the live wall streams (default 554; 0 picks a free one).", "N", "554");
    const QCommandLineOption noStreamOption("no-stream", "Do not stream the walls over RTSP.");
    const QCommandLineOption streamSizeOption(
        "stream-size", "Box the streamed pictures fit in, keeping the wall's shape (default 1920x1080).",
        "WxH", "1920x1080");
    const QCommandLineOption streamFpsOption("stream-fps",
                                             "Frames a second of the wall streams (default 30).", "N", "30");
    parser.addOptions({portOption, bindOption, nameOption, configOption, dataOption, discoveryOption,
                       rtspPortOption, noStreamOption, streamSizeOption, streamFpsOption});
    parser.process(app);

    bool portOk = false;
    const int port = parser.value(portOption).toInt(&portOk);
    if (!portOk || port < 0 || port > 65535) {
        std::fprintf(stderr, "pelmora-sim: --port must be 0 to 65535\n");
        return 2;
    }
    const int rtspPort = parser.value(rtspPortOption).toInt(&portOk);
    if (!portOk || rtspPort < 0 || rtspPort > 65535) {
        std::fprintf(stderr, "pelmora-sim: --rtsp-port must be 0 to 65535\n");
        return 2;
    }
    const QStringList size = parser.value(streamSizeOption).split('x');
    bool widthOk = false;
    bool heightOk = false;
    const QSize streamBound =
        size.size() == 2 ? QSize(size[0].toInt(&widthOk), size[1].toInt(&heightOk)) : QSize();
    if (!widthOk || !heightOk || streamBound.width() < 16 || streamBound.height() < 16 ||
        streamBound.width() > 7680 || streamBound.height() > 4320) {
        std::fprintf(stderr, "pelmora-sim: --stream-size must be WIDTHxHEIGHT, 16x16 to 7680x4320\n");
        return 2;
    }
    bool fpsOk = false;
    const int streamFps = parser.value(streamFpsOption).toInt(&fpsOk);
    if (!fpsOk || streamFps < 1 || streamFps > 60) {
        std::fprintf(stderr, "pelmora-sim: --stream-fps must be 1 to 60\n");
        return 2;
    }
    sim::Options options;
    options.rtspPort = parser.isSet(noStreamOption) ? -1 : rtspPort;
    options.streamBound = streamBound;
    options.streamFps = streamFps;
    options.name = parser.value(nameOption);
    options.configFile = parser.value(configOption);
    options.dataDir = parser.value(dataOption);
    options.discovery = parser.isSet(discoveryOption);

    sim::Simulator simulator(options);
    if (!simulator.start(parser.value(bindOption), port)) {
        std::fprintf(stderr, "pelmora-sim: %s\n", simulator.errorString().toLocal8Bit().constData());
        return 1;
    }

    // SIGINT and SIGTERM end the event loop through a pipe; the simulator stops after it.
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0) {
        std::perror("pelmora-sim: socketpair");
        return 1;
    }
    QSocketNotifier notifier(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    std::printf("%s\n", simulator.banner().toLocal8Bit().constData());
    std::fflush(stdout);
    const int status = app.exec();
    simulator.stop();
    std::printf("pelmora-sim: stopped\n");
    return status;
}
