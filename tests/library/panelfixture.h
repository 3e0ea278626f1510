#pragma once

#include "app/connectionflow.h"
#include "app/mainwindow2.h"
#include "app/mainwindow2_form.h"
#include "library/imagewidget.h"
#include "library/librarypanel.h"
#include "library/qlyblistwidget.h"
#include "net/hoststore.h"
#include "sim/simulator.h"
#include "uikit/dialogs.h"
#include "wall/screenwidget.h"
#include "wall/windowcommands.h"
#include "windowsession.h"

#include <QListWidgetItem>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

// The real main window against a controller simulator on an ephemeral loopback port: the
// library panel as the window wires it, its buttons reached through the window's own slots.
struct PanelFixture
{
    sim::Simulator simulator;
    std::unique_ptr<MainWindow2> window;
    library::LibraryWidgets w;
    library::LibraryPanel *panel = nullptr;
    ScreenWidget *canvas = nullptr;
    int family = 2;

    // Starts the simulator and shows the window, not logged in yet.
    bool start(int deviceFamily = 2)
    {
        family = deviceFamily;
        if (!simulator.start(QStringLiteral("127.0.0.1"), 0))
            return false;
        window = pelmora::test::makeWindow();
        if (!window)
            return false;
        panel = window->library();
        w = panel->widgets();
        canvas = window->form().labelScreen;
        return true;
    }

    // Logs in as the administrator with the fixture's family: the whole login sequence runs.
    bool login() { return pelmora::test::loginTo(*window, simulator, QStringLiteral("admin"), family); }

    bool loginAs(int deviceFamily)
    {
        family = deviceFamily;
        return login();
    }

    const SessionValues &session() const { return window->session(); }

    QList<QToolButton *> categoryButtons() const
    {
        return {w.videoListButton, w.modalListButton,    w.audioListButton,    w.pptListButton,
                w.webListButton,   w.netVideoListButton, w.usbVideoListButton, w.docListButton,
                w.captionButton,   w.musicButton};
    }

    static void click(QAbstractButton *button) { QTest::mouseClick(button, Qt::LeftButton); }
    // Selects a category with its button, as the operator does.
    void select(library::Category category) { click(categoryButtons().at(int(category))); }

    static QStringList texts(const ImageWidget *strip)
    {
        QStringList names;
        for (int i = 0; i < strip->listWidget()->count(); ++i)
            names.append(strip->listWidget()->item(i)->text());
        return names;
    }

    static QListWidgetItem *itemNamed(const ImageWidget *strip, const QString &name)
    {
        for (int i = 0; i < strip->listWidget()->count(); ++i) {
            if (strip->listWidget()->item(i)->text() == name)
                return strip->listWidget()->item(i);
        }
        return nullptr;
    }

    // A real double-click on an item: press and release, then the double-click event.
    static void doubleClick(ImageWidget *strip, QListWidgetItem *item)
    {
        QLybListWidget *list = strip->listWidget();
        list->scrollToItem(item);
        const QPoint at = list->visualItemRect(item).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }
};
