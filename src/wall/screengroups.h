#pragma once

#include "wall/wallmodel.h"
#include "wall/windowcommands.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>

class MatrixScreen;
class QAbstractButton;
class QLabel;
class QScrollArea;
class QWidget;
class ScreenWidget;
class Transport;
struct SessionValues;

// The widgets of the main window that show the screen groups.
struct ScreenGroupWidgets
{
    QWidget *window = nullptr; // gets the wait cursor
    ScreenWidget *canvas = nullptr;
    QScrollArea *scrollArea = nullptr;
    MatrixScreen *matrixView = nullptr;
    QList<QAbstractButton *> groupButtons; // btnMultiScreen1 ... btnMultiScreen4
    QAbstractButton *matrixButton = nullptr;
    QLabel *zoomLabel = nullptr;
};

// The screen groups of a session on the main window: reading the controller's settings and
// its current windows, switching groups, the independent-screen view and the zoom.
class ScreenGroups : public QObject, public wall::ScreenGroupSource
{
    Q_OBJECT
public:
    ScreenGroups(const ScreenGroupWidgets &widgets, Transport *transport, SessionValues *session,
                 QObject *parent = nullptr);

    // Places the canvas in its scroll area and records canvasArea (the slot shrunk by 4).
    void installCanvas();
    // "GetScrSetting": groups, layouts, switch buttons, canvas layout, zoom 1.0.
    bool readSettings();
    // "GetCurWindowList": rebuilds the canvas's window items.
    bool readWindowList();
    // "SetCurScreen" with the group index.
    bool setCurScreen(int index);
    // Buttons 1-4 (index 0-3); nothing while not connected.
    void switchGroup(int index);
    // btnMatrixScreen; nothing while not connected.
    void showMatrix();
    // Group `index` was edited (its settings and layout are stored): its switch button shows
    // its name; when it is the current group, rows and cols follow it and the canvas takes
    // its layout at zoom 1.0.
    void showEditedGroup(int index);
    void zoomIn();
    void zoomOut();
    // After the form was retranslated: the group buttons show the groups' names again and
    // the zoom label the zoom.
    void retranslate();
    void setZoom(float zoom);

    // 1-4 for the first checked group button, 0 otherwise.
    int currentScreenGroup() const override;

    S_SCR_SETTING &setting() { return m_setting; }
    QList<S_SCR_LAYOUT> &layouts() { return m_layouts; }
    float zoom() const { return m_zoom; }
    QRect canvasArea() const { return m_canvasArea; }
    // The controller's model code; 200 (custom-size mode) while no model is known.
    int controllerModel() const { return m_controllerModel; }

signals:
    // The independent-screen view was shown (the resource panel shows the videos).
    void matrixShown();

signals:
    // A switch to group `index` (0-3) has finished (the screen echo follows it).
    void groupSwitched(int index);

private:
    void applyLayout(int screenMode, int index);

    ScreenGroupWidgets m_widgets;
    Transport *m_transport;
    SessionValues *m_session;
    S_SCR_SETTING m_setting;
    QList<S_SCR_LAYOUT> m_layouts;
    float m_zoom = 1.0f;
    QRect m_canvasArea;
    int m_controllerModel = wall::kCustomSizeMode;
};
