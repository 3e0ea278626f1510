#pragma once

#include "control/mediacontrol.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <optional>

class QAbstractButton;
class QLabel;
class QSlider;
class QWidget;
class ScreenWidget;
class Transport;
struct SessionValues;

namespace control {

// The main window's widgets of the media panel (frameMediaCtrl). Every pointer is required.
struct MediaWidgets
{
    QWidget *window = nullptr; // gets the wait cursor
    QLabel *labelWindowName = nullptr;
    QWidget *mediaNav = nullptr; // the round pad
    QAbstractButton *btnPageUp = nullptr;
    QAbstractButton *btnPrev = nullptr;
    QAbstractButton *btnPlay = nullptr;
    QAbstractButton *btnNext = nullptr;
    QAbstractButton *btnPageDown = nullptr;
    QAbstractButton *btnZoomIn = nullptr;
    QAbstractButton *btnZoomOut = nullptr;
    QAbstractButton *btnExpand = nullptr;
    QAbstractButton *btnRestore = nullptr;
    QWidget *widgetVideoCtrl = nullptr;
    QLabel *labelVideo = nullptr;
    QSlider *sliderVideoTime = nullptr;
    QLabel *labelVideoTime = nullptr;
    QWidget *widgetVolume = nullptr;
    QAbstractButton *btnAudioMute = nullptr;
    QSlider *sliderVolume = nullptr;
};

// A window on the wall canvas, as the panel needs it.
struct WallWindow
{
    uint windowId = 0;
    int winType = 0;
    QString name;
};

// What the panel asks of the wall canvas: the selected window and a window by id.
class WindowSource
{
public:
    virtual ~WindowSource() = default;
    virtual std::optional<WallWindow> selectedWindow() const = 0;
    virtual std::optional<WallWindow> findWindow(uint windowId) const = 0;
};

// The wall canvas answering for itself.
class CanvasWindows : public WindowSource
{
public:
    explicit CanvasWindows(ScreenWidget *canvas);
    std::optional<WallWindow> selectedWindow() const override;
    std::optional<WallWindow> findWindow(uint windowId) const override;

private:
    QPointer<ScreenWidget> m_canvas;
};

// The media panel: it is set up for the window selected on the wall and sends the
// operator's playback, volume, page and zoom controls to the window selected at the moment
// of the click. Its entry points are the main window's form slots; it is loaded through
// loadWindow() when a window is selected and keeps a selected video's position current
// through pollPosition() on the update timer's tick.
//
// Setting the panel up sends nothing: only the operator's change of the volume slider sends
// "SetVolume".
class MediaPanel : public QObject
{
    Q_OBJECT
public:
    MediaPanel(const MediaWidgets &widgets, Transport *transport, SessionValues *session,
               const WindowSource &windows, QObject *parent = nullptr);

    const MediaWidgets &widgets() const { return m_w; }
    PanelMode mode() const { return m_mode; }
    bool playing() const { return m_playing; }
    bool muted() const { return m_muted; }
    int totalTime() const { return m_totalTime; }

    // A window was raised or selected on the canvas (after its "MoveTop"): enables the pad
    // and sets the panel up for the window's type, with its playback values.
    void loadWindow(uint windowId);
    // The update timer's position poll: the position of a selected video window.
    void pollPosition();
    // After the form was retranslated: the time or interval text of the window in hand, in
    // the new language.
    void retranslate() { updateTimeText(); }

    // --- entry points of the form's slots
    void on_btnPrev_clicked() { send(Action::Prev); }
    void on_btnNext_clicked() { send(Action::Next); }
    void on_btnPlay_clicked();
    void on_btnAudioMute_clicked();
    void on_sliderVolume_valueChanged(int value);
    void on_sliderVideoTime_sliderPressed();
    void on_sliderVideoTime_sliderReleased();
    void on_sliderVideoTime_valueChanged(int value);
    void on_btnExpand_clicked() { send(Action::Expand); }
    void on_btnRestore_clicked() { send(Action::Restore); }
    void on_btnZoomIn_clicked() { send(Action::ZoomIn); }
    void on_btnZoomOut_clicked() { send(Action::ZoomOut); }
    void on_btnPageUp_clicked() { send(Action::PageUp); }
    void on_btnPageDown_clicked() { send(Action::PageDown); }
    // A pad button held down lights its part of the pad; letting go puts the plain pad back.
    void padPressed(QAbstractButton *button);
    void padReleased();

signals:
    // The operator took hold of the time slider: the position poll must stop.
    void timeSliderPressed();
    // The operator let go of it: the poll starts again, before the seek is sent.
    void timeSliderReleased();

private:
    // Sends an action to the selected window; false when nothing was sent (no window
    // selected, or its type has no such control).
    bool send(Action action, int value = 0);
    void applyLayout(const ModeLayout &layout);
    void setTimeSlider(int minimum, int maximum, int value);
    void updateTimeText();
    void updatePlayIcon();
    void updateMuteIcon();
    void setUpPad();

    MediaWidgets m_w;
    Transport *m_transport;
    SessionValues *m_session;
    const WindowSource &m_windows;

    PanelMode m_mode = PanelMode::Video;
    bool m_playing = false; // the pad starts with the play icon
    bool m_muted = false;
    int m_totalTime = 0;
    // Counts the loads: a load that waited checks that no later one set the panel up.
    quint64 m_loads = 0;
};

} // namespace control
