#pragma once

#include "app/connectionflow.h"
#include "app/mainwindow2.h"
#include "app/mainwindow2_form.h"
#include "control/mediapanel.h"
#include "net/hoststore.h"
#include "net/loginsession.h"
#include "net/transport.h"
#include "sim/simulator.h"
#include "wall/screenwidget.h"
#include "wall/windowwidget.h"
#include "windowsession.h"

#include <QJsonArray>
#include <QMap>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

// The real main window logged in to a controller simulator whose first screen group (3 x 3
// monitors of 1920 x 1080) shows one window of every kind, each on a monitor of its own.
// The controller's clock stands still unless a test advances it, and the update timer
// ticks only when a test calls tick().
struct MediaFixture
{
    enum Window : uint {
        Video = 11,
        Pictures = 12,
        Web = 13,
        Office = 14,
        NetVideo = 15,
        Document = 16,
        Usb = 17,
        Unknown = 18, // a type code the console does not know (7)
        Application = 19,
    };

    sim::Simulator simulator;
    std::unique_ptr<MainWindow2> window;
    Ui::MainWindow2 *ui = nullptr;
    ScreenWidget *canvas = nullptr;
    control::MediaPanel *panel = nullptr;

    // The windows of the wall; `playback` replaces the "Playback" values of a window.
    static QJsonObject wall(const QMap<uint, QJsonObject> &playback = {}, const QList<uint> &only = {})
    {
        auto rect = [](int index) {
            const int left = (index % 3) * 1920, top = (index / 3) * 1080;
            return QJsonObject{{"Left", left}, {"Top", top}, {"Right", left + 1920}, {"Bottom", top + 1080}};
        };
        auto listed = [](const QString &name, const QString &path) {
            return QJsonArray{QJsonObject{{"Name", name}, {"Path", path}}};
        };
        const QList<QJsonObject> all = {
            {{"WindowId", int(Video)},
             {"WindowType", 0},
             {"ResList", listed("Company Intro.mp4", "/videos/Company Intro.mp4")},
             {"Playback", QJsonObject{{"TotalTime", 3725}, {"CurTime", 65}, {"Volume", 35}}}},
            {{"WindowId", int(Pictures)},
             {"WindowType", 1},
             {"ResList", listed("Welcome Banner.jpg", "/pictures/Welcome Banner.jpg")},
             {"Playback", QJsonObject{{"Interval", 7}}}},
            {{"WindowId", int(Web)},
             {"WindowType", 2},
             {"Name", "Company Portal"},
             {"Path", "http://portal.example.com/"}},
            {{"WindowId", int(Office)},
             {"WindowType", 3},
             {"Name", "Strategy.pptx"},
             {"Path", "/office/Strategy.pptx"}},
            {{"WindowId", int(NetVideo)},
             {"WindowType", 4},
             {"ResList", listed("Gate Camera", "rtsp://192.0.2.10/stream1")},
             {"Playback", QJsonObject{{"ShowTime", 12}}}},
            {{"WindowId", int(Document)},
             {"WindowType", 5},
             {"Name", "Floor Guide.pdf"},
             {"Path", "/others/Floor Guide.pdf"}},
            {{"WindowId", int(Usb)}, {"WindowType", 6}, {"Name", "USB Capture 1"}, {"Path", "USB Capture 1"}},
            {{"WindowId", int(Unknown)}, {"WindowType", 7}, {"Name", "Signage Player"}},
            {{"WindowId", int(Application)},
             {"WindowType", 9},
             {"Name", "Monitoring Dashboard"},
             {"VideoId", 66012}},
        };
        QJsonArray windows;
        for (int i = 0; i < all.size(); ++i) {
            QJsonObject w = all.at(i);
            const uint id = uint(w.value("WindowId").toInt());
            if (!only.isEmpty() && !only.contains(id))
                continue;
            w.insert("WindowRect", rect(i));
            if (playback.contains(id))
                w.insert("Playback", playback.value(id));
            windows.append(w);
        }
        const QJsonObject group{{"Name", "Lobby"},
                                {"Width", 5760},
                                {"Height", 3240},
                                {"ScrRows", 3},
                                {"ScrCols", 3},
                                {"CustomWidth", QJsonArray()},
                                {"CustomHeight", QJsonArray()},
                                {"Windows", windows}};
        return QJsonObject{{"ScrIndex", 0}, {"Groups", QJsonArray{group}}};
    }

    bool start()
    {
        if (!simulator.start(QStringLiteral("127.0.0.1"), 0))
            return false;
        simulator.useManualClock();
        simulator.setState(wall());
        window = pelmora::test::makeWindow();
        if (!window)
            return false;
        // The update timer never ticks by itself here: tests tick it.
        window->ticker()->setIntervalMs(3600 * 1000);
        ui = &window->form();
        canvas = ui->labelScreen;
        panel = window->media();
        return login();
    }

    bool login() { return pelmora::test::loginTo(*window, simulator); }

    // A new session on the wall as the simulator has it now (nothing selected).
    bool relogin()
    {
        window->on_disconnectButton_clicked();
        return login() && window->session().loggedIn;
    }

    // The operator's click on a window of the wall: press and release in its middle.
    bool select(uint windowId)
    {
        WindowWidget *item = canvas->findWindow(windowId);
        if (!item)
            return false;
        const QPoint at = item->rect().center();
        QTest::mousePress(item, Qt::LeftButton, Qt::NoModifier, at);
        if (canvas->findWindow(windowId) == item)
            QTest::mouseRelease(item, Qt::LeftButton, Qt::NoModifier, at);
        return canvas->selectedWindow() && canvas->selectedWindow()->windowId() == windowId;
    }

    // Calls a slot of the window by name, as the form's signal does.
    bool invoke(const char *slot) { return QMetaObject::invokeMethod(window.get(), slot); }
    bool invoke(const char *slot, int value)
    {
        return QMetaObject::invokeMethod(window.get(), slot, Q_ARG(int, value));
    }

    // The playback controls the controller received, in order.
    QList<QJsonObject> controls() const
    {
        QList<QJsonObject> sent;
        const auto requests = simulator.requests();
        for (const auto &request : requests) {
            if (request.command == QLatin1String("VideoCtrl") ||
                request.command == QLatin1String("PptCtrl") || request.command == QLatin1String("WebCtrl"))
                sent.append(request.json());
        }
        return sent;
    }

    // The window's cursor at the moment the controller received `command`, while `action`
    // runs: the request is held at the controller until the cursor has been read, so the
    // wait is under way however slowly the machine runs. BlankCursor when none came.
    Qt::CursorShape cursorWhile(const QString &command, const std::function<void()> &action)
    {
        pelmora::test::holdRequests(simulator, command, 1);
        Qt::CursorShape seen = Qt::BlankCursor;
        QObject scope; // the watch ends with this call
        pelmora::test::onceReceived(&scope, simulator, command, [&] {
            seen = window->cursor().shape();
            simulator.advanceClock(pelmora::test::kHeldMs);
        });
        action();
        // A request that never came leaves no hold behind.
        sim::Fault none{sim::Fault::Delay};
        none.remaining = 0;
        simulator.setFault(command, none);
        return seen;
    }
};
