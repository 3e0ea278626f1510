// The simulator's side of a request: a few HTTP requests in a row, each read as the server
// records it (path, query keys, headers, body) and answered by the demo controller. The
// controller starts over from the demo data for every input, with one session "fuzz" of an
// administrator logged in already.
//
// Input: requests separated by a line "%%"; each is a line "METHOD TARGET", header lines
// "Name: value", an empty line and the body.
#include "sim/demodata.h"
#include "sim/simulator_p.h"

#include <httplib.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

constexpr int kMaxRequests = 4;

httplib::Request requestOf(const std::string &text)
{
    httplib::Request req;
    size_t pos = text.find('\n');
    const std::string line = text.substr(0, pos);
    const size_t space = line.find(' ');
    req.method = line.substr(0, space);
    req.target = space == std::string::npos ? std::string() : line.substr(space + 1);
    req.path = httplib::detail::decode_url(req.target.substr(0, req.target.find('?')), false);
    while (pos != std::string::npos) {
        const size_t next = text.find('\n', pos + 1);
        const std::string header = text.substr(pos + 1, next == std::string::npos ? next : next - pos - 1);
        pos = next;
        if (header.empty())
            break;
        const size_t colon = header.find(':');
        if (colon == std::string::npos)
            continue;
        const size_t value = header.find_first_not_of(' ', colon + 1);
        req.headers.emplace(header.substr(0, colon),
                            value == std::string::npos ? std::string() : header.substr(value));
    }
    if (pos != std::string::npos)
        req.body = text.substr(pos + 1);
    return req;
}

struct Fixture
{
    QJsonObject demo = sim::demoState();
    QTemporaryDir dataDir;
    sim::Controller controller;

    Fixture()
    {
        QString error;
        if (!dataDir.isValid() || !controller.files.setRoot(dataDir.path(), &error))
            qFatal("fuzz_sim: no data folder: %s", qPrintable(error));
    }

    void reset()
    {
        controller.state = sim::ControllerState();
        controller.state.apply(demo, 0);
        controller.files.clear();
        controller.pictures.clear();
        sim::Session session;
        session.id = QStringLiteral("fuzz");
        session.user = QStringLiteral("admin");
        session.role = 0;
        controller.state.sessions.append(session);
    }
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Thumbnails are painted without text when there is no QGuiApplication.
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Fixture fixture;
    fixture.reset();
    const std::string input(reinterpret_cast<const char *>(data), size);
    size_t begin = 0;
    for (int i = 0; i < kMaxRequests && begin <= input.size(); ++i) {
        const size_t separator = input.find("\n%%\n", begin);
        const std::string text =
            input.substr(begin, separator == std::string::npos ? std::string::npos : separator - begin);
        begin = separator == std::string::npos ? input.size() + 1 : separator + 4;
        const sim::RecordedRequest rec = sim::recordRequest(requestOf(text));
        if (rec.path.startsWith(QLatin1String("/sim/")))
            continue; // the tests' control interface, not the controller's
        sim::routeRequest(fixture.controller, rec, 1000 * (i + 1), {});
    }
    return 0;
}
