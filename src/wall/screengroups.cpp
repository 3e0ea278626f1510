#include "screengroups.h"

#include "net/operation.h"
#include "net/sessionvalues.h"
#include "net/transport.h"
#include "wall/matrixscreen.h"
#include "wall/screenwidget.h"
#include "wall/wallreplies.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QScrollArea>

ScreenGroups::ScreenGroups(const ScreenGroupWidgets &widgets, Transport *transport, SessionValues *session,
                           QObject *parent)
    : QObject(parent), m_widgets(widgets), m_transport(transport), m_session(session)
{}

void ScreenGroups::installCanvas()
{
    // The slot's size is only known once the window's layout has run.
    if (auto *mainWindow = qobject_cast<QMainWindow *>(m_widgets.window)) {
        if (mainWindow->centralWidget() && mainWindow->centralWidget()->layout())
            mainWindow->centralWidget()->layout()->activate();
    }
    QScrollArea *area = m_widgets.scrollArea;
    if (area->widget() != m_widgets.canvas)
        area->setWidget(m_widgets.canvas);
    // The slot is the viewport as large as it is without scroll bars: a zoomed canvas shows
    // them and shrinks the viewport, which must not shrink the canvas of the next session.
    m_canvasArea = QRect(QPoint(0, 0), area->maximumViewportSize()).adjusted(4, 4, -4, -4);
}

bool ScreenGroups::setCurScreen(int index)
{
    return m_transport->postCommand(QJsonObject{{QStringLiteral("Command"), QStringLiteral("SetCurScreen")},
                                                {QStringLiteral("Index"), index}},
                                    QStringLiteral("SetCurScreen"));
}

bool ScreenGroups::readSettings()
{
    net::Operation operation(m_widgets.window, *m_session);
    QPointer<ScreenGroups> self(this);
    m_layouts.clear();
    m_setting.groups.clear();
    QByteArray body;
    const bool ok = m_transport->sendGetCommand(QStringLiteral("GetScrSetting"), true, &body);
    if (!self || !operation.sessionCurrent() || !ok)
        return false;
    const wall::ScrSettingReply reply = wall::parseScrSetting(Transport::parseObject(body));
    m_setting = reply.setting;
    m_layouts = reply.layouts;
    for (int i = 0; i < m_setting.groups.size() && i < m_widgets.groupButtons.size(); ++i)
        m_widgets.groupButtons[i]->setText(m_setting.groups[i].name);
    const wall::GroupButtonStates states =
        wall::groupButtonStates(m_setting.groups.size(), m_setting.scrIndex, reply.dontUseMainScr);
    for (int i = 0; i < m_widgets.groupButtons.size() && i < 4; ++i) {
        m_widgets.groupButtons[i]->setVisible(states.visible[i]);
        m_widgets.groupButtons[i]->setChecked(states.checked[i]);
    }
    // A session starts on the canvas, even when the last one ended on the independent
    // screens; their button is there from now on.
    m_widgets.matrixButton->setChecked(false);
    m_widgets.matrixButton->show();
    m_widgets.matrixView->hide();
    m_widgets.scrollArea->show();
    applyLayout(wall::kCustomSizeMode, m_setting.scrIndex);
    setZoom(1.0f);
    return true;
}

void ScreenGroups::applyLayout(int screenMode, int index)
{
    // Without that group (a controller that reports none) the canvas shows an empty wall,
    // never the layout of an earlier session.
    const bool known = index >= 0 && index < m_layouts.size();
    m_widgets.canvas->setScreenLayout(screenMode, known ? index : 0,
                                      known ? m_layouts[index] : S_SCR_LAYOUT());
}

bool ScreenGroups::readWindowList()
{
    net::Operation operation(m_widgets.window, *m_session);
    QPointer<ScreenWidget> canvas(m_widgets.canvas);
    canvas->clearWindows();
    QByteArray body;
    const bool ok = m_transport->sendGetCommand(QStringLiteral("GetCurWindowList"), true, &body);
    // Windows of a session that ended meanwhile stay off the canvas.
    if (!canvas || !operation.sessionCurrent())
        return false;
    // Ids are kept as the controller sent them, all 32 bits.
    if (ok)
        canvas->addWindows(wall::parseWindowList(Transport::parseObject(body)));
    return ok;
}

void ScreenGroups::switchGroup(int index)
{
    if (!m_session->loggedIn)
        return;
    m_widgets.matrixButton->setChecked(false);
    for (int i = 0; i < m_widgets.groupButtons.size(); ++i)
        m_widgets.groupButtons[i]->setChecked(i == index);
    m_widgets.matrixView->hide();
    m_widgets.scrollArea->show();
    m_widgets.canvas->clearWindows();
    m_widgets.canvas->hide();
    applyLayout(m_controllerModel, index);
    // The canvas takes the new group's shape at the zoom the label shows; otherwise a wide
    // group would be drawn squeezed into the shape of the one before it.
    setZoom(m_zoom);
    m_widgets.canvas->show();
    wall::selectGroup(m_setting, index);

    net::Operation operation(m_widgets.window, *m_session, Qt::ArrowCursor);
    QPointer<ScreenGroups> self(this);
    setCurScreen(index);
    if (!self || !operation.sessionCurrent())
        return;
    readWindowList();
    if (self)
        emit groupSwitched(index);
}

void ScreenGroups::showMatrix()
{
    if (!m_session->loggedIn)
        return;
    m_widgets.matrixButton->setChecked(true);
    for (QAbstractButton *button : qAsConst(m_widgets.groupButtons))
        button->setChecked(false);
    m_widgets.matrixView->show();
    m_widgets.scrollArea->hide();
    m_widgets.matrixView->showDisplays(true);
    emit matrixShown();
}

void ScreenGroups::showEditedGroup(int index)
{
    if (index < 0 || index >= m_setting.groups.size())
        return;
    if (index < m_widgets.groupButtons.size())
        m_widgets.groupButtons[index]->setText(m_setting.groups[index].name);
    if (index != m_setting.scrIndex)
        return;
    wall::selectGroup(m_setting, index);
    applyLayout(m_controllerModel, index);
    setZoom(1.0f);
}

void ScreenGroups::retranslate()
{
    for (int i = 0; i < m_setting.groups.size() && i < m_widgets.groupButtons.size(); ++i)
        m_widgets.groupButtons[i]->setText(m_setting.groups[i].name);
    m_widgets.zoomLabel->setText(wall::zoomLabel(m_zoom));
}

void ScreenGroups::zoomIn()
{
    m_zoom = wall::zoomIn(m_zoom);
    setZoom(m_zoom);
    m_widgets.zoomLabel->setText(wall::zoomLabel(m_zoom));
}

void ScreenGroups::zoomOut()
{
    m_zoom = wall::zoomOut(m_zoom);
    setZoom(m_zoom);
    m_widgets.zoomLabel->setText(wall::zoomLabel(m_zoom));
}

void ScreenGroups::setZoom(float zoom)
{
    ScreenWidget *canvas = m_widgets.canvas;
    if (canvas->totalWidth() <= 0 || canvas->totalHeight() <= 0)
        return;
    const QRect geometry =
        wall::zoomedCanvasGeometry(zoom, m_canvasArea.size(), canvas->totalWidth(), canvas->totalHeight());
    // The scroll area places the canvas (centred); only its size is set here.
    canvas->setFixedSize(geometry.size());
    canvas->relayoutWindows(-1);
}

int ScreenGroups::currentScreenGroup() const
{
    for (int i = 0; i < m_widgets.groupButtons.size() && i < 4; ++i) {
        if (m_widgets.groupButtons[i]->isChecked())
            return i + 1;
    }
    return 0;
}
