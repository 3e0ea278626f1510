#pragma once

#include "library/imagewidget.h"
#include "library/librarypanel.h"
#include "library/qlyblistwidget.h"
#include "simsession.h"
#include "wall/screenwidget.h"
#include "wall/windowcommands.h"

#include <QHBoxLayout>
#include <QListWidgetItem>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

// The main window's library widgets, a wall canvas with its window commands, and a library
// panel wired to them and to a simulator, logged in.
struct PanelFixture
{
    SimSession sim;
    QWidget window;
    library::LibraryWidgets w;
    ScreenWidget *canvas = nullptr;
    std::unique_ptr<WindowCommands> commands;
    std::unique_ptr<library::LibraryPanel> panel;
    bool exposed = false;

    bool start(int family = 2)
    {
        if (!sim.start(family))
            return false;
        build();
        return exposed;
    }

    QToolButton *categoryButton(const char *name)
    {
        auto *b = new QToolButton(&window);
        b->setObjectName(QLatin1String(name));
        b->setCheckable(true);
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        return b;
    }

    QPushButton *pushButton(const char *name)
    {
        auto *b = new QPushButton(&window);
        b->setObjectName(QLatin1String(name));
        return b;
    }

    void build()
    {
        auto *layout = new QVBoxLayout(&window);
        auto *bar = new QHBoxLayout;
        layout->addLayout(bar);
        w.window = &window;
        w.videoListButton = categoryButton("videoListButton");
        w.modalListButton = categoryButton("modalListButton");
        w.audioListButton = categoryButton("audioListButton");
        w.pptListButton = categoryButton("pptListButton");
        w.webListButton = categoryButton("webListButton");
        w.netVideoListButton = categoryButton("netVideoListButton");
        w.usbVideoListButton = categoryButton("usbVideoListButton");
        w.docListButton = categoryButton("docListButton");
        w.captionButton = categoryButton("captionButton");
        w.musicButton = categoryButton("musicButton");
        for (QToolButton *b : categoryButtons())
            bar->addWidget(b);
        w.btnSelectAll = pushButton("btnSelectAll");
        w.btnDeSelectAll = pushButton("btnDeSelectAll");
        w.btnSaveModal = pushButton("btnSaveModal");
        w.btnRemoveModal = pushButton("btnRemoveModal");
        w.btnBGMPlay = pushButton("btnBGMPlay");
        w.btnBGMStop = pushButton("btnBGMStop");
        w.btnAudioMute = pushButton("btnAudioMute");
        for (QWidget *b :
             std::initializer_list<QWidget *>{w.btnSelectAll, w.btnDeSelectAll, w.btnSaveModal,
                                              w.btnRemoveModal, w.btnBGMPlay, w.btnBGMStop, w.btnAudioMute})
            bar->addWidget(b);
        auto *slider = new QSlider(Qt::Horizontal, &window);
        slider->setObjectName(QStringLiteral("sliderBGMVolume"));
        slider->setRange(0, 100);
        slider->setValue(50);
        w.sliderBGMVolume = slider;
        bar->addWidget(slider);
        w.progressBar = new QProgressBar(&window);
        w.progressBar->setRange(0, 100);
        w.progressBar->hide();
        bar->addWidget(w.progressBar);

        canvas = new ScreenWidget(&window);
        canvas->setObjectName(QStringLiteral("labelScreen"));
        canvas->setFixedSize(960, 180);
        layout->addWidget(canvas);

        auto *strip = new QHBoxLayout;
        layout->addLayout(strip);
        w.modalList = new ImageWidget(&window);
        w.videoList = new ImageWidget(&window);
        w.audioList = new ImageWidget(&window);
        w.autoSwitch = new QWidget(&window);
        w.captionList = new QWidget(&window);
        for (QWidget *panelWidget : {static_cast<QWidget *>(w.modalList), static_cast<QWidget *>(w.videoList),
                                     static_cast<QWidget *>(w.audioList), w.autoSwitch, w.captionList}) {
            panelWidget->setMinimumSize(600, 180);
            strip->addWidget(panelWidget);
        }
        window.resize(1800, 600);

        S_SCR_GROUP group;
        group.width = 5760;
        group.height = 1080;
        group.scrCols = 3;
        group.scrRows = 1;
        canvas->setScreenLayout(200, 0, wall::makeScrLayout(group));
        canvas->setConnected(true);

        commands = std::make_unique<WindowCommands>(canvas, sim.transport.get(), &sim.session, &window);
        panel = std::make_unique<library::LibraryPanel>(w, sim.transport.get(), &sim.manager, &sim.session);
        panel->fillWindowCommandContext(commands->context);
        commands->context.currentScreenGroup = [] { return 1; };
        WindowCommands *cmds = commands.get();
        panel->openFromList = [cmds](const QString &name, int videoId) {
            return cmds->openFromList(name, videoId);
        };
        panel->connectButtons();
        window.show();
        exposed = QTest::qWaitForWindowExposed(&window);
    }

    QList<QToolButton *> categoryButtons() const
    {
        return {w.videoListButton, w.modalListButton,    w.audioListButton,    w.pptListButton,
                w.webListButton,   w.netVideoListButton, w.usbVideoListButton, w.docListButton,
                w.captionButton,   w.musicButton};
    }

    // The post-login part of the library: check boxes, loaders, drag and double-click.
    void login()
    {
        panel->prepareLogin();
        panel->getVideoList();
        panel->getUSBVideoList();
        panel->getPicList();
        panel->getDocList();
        panel->getWebList();
        panel->getPptList();
        panel->getNetVideoList();
        panel->getAudioList();
        panel->finishLogin();
        panel->selectCategory(library::Category::Video);
    }

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
