#pragma once

#include "library/imagewidget.h"
#include "library/qlyblistwidget.h"
#include "library/uploader.h"
#include "platform/platformpaths.h"
#include "scenes/formautoswitch.h"
#include "scenes/scenerotation.h"
#include "scenes/scenestore.h"
#include "simsession.h"
#include "uikit/dialogs.h"
#include "wall/windowcommands.h"

#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidgetItem>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QtTest>

#include <memory>

// The scene store and the rotation as the main window composes them, without the main
// window: a simulator with a logged-in transport, the scene strip, a canvas to picture, the
// rotation panel, and the screen group the commands name.
struct SceneFixture
{
    struct Groups : wall::ScreenGroupSource
    {
        int group = 1;
        int currentScreenGroup() const override { return group; }
    };

    pelmora::test::SimSession sim;
    Groups groups;
    QWidget window;
    ImageWidget *strip = nullptr;
    QLabel *canvas = nullptr;
    FormAutoSwitch *panel = nullptr;
    std::unique_ptr<library::ChunkUploader> uploader;
    std::unique_ptr<scenes::SceneStore> store;
    std::unique_ptr<scenes::SceneRotation> rotation;

    // Logs in with `family`, builds the areas and reads the scene list.
    bool start(int family = 0)
    {
        uikit::Dialogs::reset();
        if (!sim.start(family))
            return false;
        canvas = new QLabel(&window);
        canvas->setGeometry(0, 0, 400, 200);
        canvas->setStyleSheet(QStringLiteral("background:#204060;"));
        strip = new ImageWidget(&window);
        strip->setGeometry(0, 200, 900, 180);
        strip->checkable = true;
        panel = new FormAutoSwitch(&window);
        panel->move(0, 400);
        panel->setModalList(strip);
        window.resize(900, 560);
        window.show();

        uploader = std::make_unique<library::ChunkUploader>(&sim.manager, sim.transport.get());
        store =
            std::make_unique<scenes::SceneStore>(scenes::SceneWidgets{&window, strip, canvas},
                                                 sim.transport.get(), uploader.get(), &sim.session, groups);
        store->setSettleDelayMs(0);
        rotation = std::make_unique<scenes::SceneRotation>(panel, sim.transport.get(), &sim.session, &window);
        QObject::connect(strip, &ImageWidget::onItemClicked, panel, &FormAutoSwitch::on_modalItemClicked);
        QObject::connect(panel, &FormAutoSwitch::onStartQuickSwitch, rotation.get(),
                         &scenes::SceneRotation::on_startQuickSwitch);
        QObject::connect(store.get(), &scenes::SceneStore::checkedScenesDeleted, rotation.get(),
                         &scenes::SceneRotation::rebuildAfterDelete);
        rotation->startSession();
        return store->getAllModal();
    }

    // The operator types `name` into the name dialog and presses OK.
    static void typeName(const QString &name)
    {
        uikit::Dialogs::setNextDialogHandler([name](QDialog *dialog) {
            dialog->findChild<QLineEdit *>(QStringLiteral("lineEdit"))->setText(name);
            dialog->findChild<QPushButton *>(QStringLiteral("btnOk"))->click();
            return dialog->result();
        });
    }

    void save(const QString &name)
    {
        typeName(name);
        store->saveScene();
    }

    QStringList stripNames() const
    {
        QStringList names;
        for (int i = 0; i < strip->listWidget()->count(); ++i)
            names.append(strip->listWidget()->item(i)->text());
        return names;
    }

    QListWidgetItem *item(const QString &name) const
    {
        for (int i = 0; i < strip->listWidget()->count(); ++i) {
            if (strip->listWidget()->item(i)->text() == name)
                return strip->listWidget()->item(i);
        }
        return nullptr;
    }

    // A click on a scene of the strip, on its picture or on its check box.
    void click(const QString &name, bool onCheckBox = false)
    {
        QListWidgetItem *it = item(name);
        QVERIFY(it);
        QLybListWidget *list = strip->listWidget();
        list->scrollToItem(it);
        const QPoint at = onCheckBox ? checkBoxCentre(it) : list->visualItemRect(it).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }

    // Where the strip draws an item's check box: the item laid out as the icon-mode list
    // lays it out, asked of the style.
    QPoint checkBoxCentre(QListWidgetItem *it) const
    {
        struct Probe : QStyledItemDelegate
        {
            void init(QStyleOptionViewItem *option, const QModelIndex &index) const
            {
                initStyleOption(option, index);
            }
        };
        QLybListWidget *list = strip->listWidget();
        QStyleOptionViewItem option;
        option.initFrom(list);
        option.widget = list;
        option.rect = list->visualItemRect(it);
        option.decorationSize = list->iconSize();
        option.decorationPosition = QStyleOptionViewItem::Top;
        option.displayAlignment = Qt::AlignCenter;
        option.features |= QStyleOptionViewItem::WrapText;
        Probe().init(&option, list->model()->index(list->row(it), 0));
        return list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list).center();
    }

    QStringList checkedNames() const { return strip->checkedNames(); }

    // The commands the controller received since `from`, by name.
    QStringList commandsSince(int from) const
    {
        const QStringList all = sim.commandNames();
        return all.mid(from);
    }

    QString cacheFile(const QString &name, const char *extension, int group = -1) const
    {
        return platform::modalGroupDir(group < 0 ? groups.group : group) + name + QLatin1String(extension);
    }
};
