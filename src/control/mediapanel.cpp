#include "control/mediapanel.h"

#include "net/operation.h"
#include "net/sessionvalues.h"
#include "net/transport.h"
#include "wall/screenwidget.h"
#include "wall/windowwidget.h"

#include <QAbstractButton>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

namespace control {

namespace {

const char *const kSkin = ":/images/newskin/";

QString skin(const char *name)
{
    return QLatin1String(kSkin) + QLatin1String(name);
}

// A picture for a button, with a dimmed look of the same shape for the disabled button (the
// colour the glyph buttons of the console use when disabled).
QIcon pictureIcon(const QString &path)
{
    const QPixmap normal(path);
    if (normal.isNull())
        return QIcon();
    QPixmap disabled(normal.size());
    disabled.fill(Qt::transparent);
    {
        QPainter painter(&disabled);
        painter.drawPixmap(0, 0, normal);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(disabled.rect(), QColor(110, 125, 140));
    }
    QIcon icon;
    icon.addPixmap(normal, QIcon::Normal, QIcon::Off);
    icon.addPixmap(disabled, QIcon::Disabled, QIcon::Off);
    return icon;
}

// QSlider::initStyleOption is protected; a pointer to it taken through a class that makes
// it public calls it on any slider.
struct SliderOption : QSlider
{
    using QSlider::initStyleOption;
};

// A press on a slider's groove takes hold of the handle right there, so a click sets the
// value under the pointer with the same press and release as a drag. For the time slider,
// which seeks only when it is let go, the wheel is kept off: a position that was never sent
// would only mislead.
class SliderGrip : public QObject
{
public:
    enum Wheel { WheelMoves, WheelIgnored };
    SliderGrip(QSlider *slider, Wheel wheel) : QObject(slider), m_wheel(wheel)
    {
        slider->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *slider = static_cast<QSlider *>(watched);
        if (event->type() == QEvent::Wheel && m_wheel == WheelIgnored)
            return true;
        if (event->type() == QEvent::MouseButtonPress) {
            const auto *press = static_cast<QMouseEvent *>(event);
            if (press->button() == Qt::LeftButton && slider->maximum() > slider->minimum())
                moveHandleUnder(slider, press->pos());
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static void moveHandleUnder(QSlider *slider, const QPoint &at)
    {
        void (QSlider::*init)(QStyleOptionSlider *) const = &SliderOption::initStyleOption;
        QStyleOptionSlider option;
        (slider->*init)(&option);
        QStyle *style = slider->style();
        const QRect handle =
            style->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider);
        if (handle.contains(at))
            return;
        const QRect groove =
            style->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, slider);
        const bool horizontal = slider->orientation() == Qt::Horizontal;
        const int length = horizontal ? handle.width() : handle.height();
        const int span = (horizontal ? groove.width() : groove.height()) - length;
        const int offset = (horizontal ? at.x() - groove.x() : at.y() - groove.y()) - length / 2;
        slider->setSliderPosition(QStyle::sliderValueFromPosition(slider->minimum(), slider->maximum(),
                                                                  offset, span, option.upsideDown));
    }

    const Wheel m_wheel;
};

} // namespace

// --- the canvas as the panel's window source

CanvasWindows::CanvasWindows(ScreenWidget *canvas) : m_canvas(canvas) {}

static std::optional<WallWindow> wallWindow(const WindowWidget *item)
{
    if (!item)
        return std::nullopt;
    return WallWindow{item->windowId(), item->winType(), item->name()};
}

std::optional<WallWindow> CanvasWindows::selectedWindow() const
{
    return m_canvas ? wallWindow(m_canvas->selectedWindow()) : std::nullopt;
}

std::optional<WallWindow> CanvasWindows::findWindow(uint windowId) const
{
    return m_canvas ? wallWindow(m_canvas->findWindow(windowId)) : std::nullopt;
}

// --- the panel

MediaPanel::MediaPanel(const MediaWidgets &widgets, Transport *transport, SessionValues *session,
                       const WindowSource &windows, QObject *parent)
    : QObject(parent), m_w(widgets), m_transport(transport), m_session(session), m_windows(windows)
{
    setUpPad();
    new SliderGrip(m_w.sliderVideoTime, SliderGrip::WheelIgnored);
    new SliderGrip(m_w.sliderVolume, SliderGrip::WheelMoves);
    updatePlayIcon();
    updateMuteIcon();
    // Until a window is selected no control has a window to act on.
    for (QWidget *w : {static_cast<QWidget *>(m_w.btnZoomIn), static_cast<QWidget *>(m_w.btnZoomOut),
                       static_cast<QWidget *>(m_w.btnExpand), static_cast<QWidget *>(m_w.btnRestore),
                       static_cast<QWidget *>(m_w.sliderVolume)})
        w->setEnabled(false);
}

void MediaPanel::setUpPad()
{
    const struct
    {
        QAbstractButton *button;
        const char *picture;
    } arrows[] = {{m_w.btnPageUp, "nav-up.png"},
                  {m_w.btnNext, "nav-next.png"},
                  {m_w.btnPageDown, "nav-down.png"},
                  {m_w.btnPrev, "nav-prev.png"}};
    for (const auto &arrow : arrows) {
        arrow.button->setIcon(pictureIcon(skin(arrow.picture)));
        arrow.button->setIconSize(QSize(34, 34));
    }
    padReleased();
}

void MediaPanel::padPressed(QAbstractButton *button)
{
    const char *picture = "nav-bg.png";
    if (button == m_w.btnPageUp)
        picture = "nav-bg-up.png";
    else if (button == m_w.btnNext)
        picture = "nav-bg-next.png";
    else if (button == m_w.btnPageDown)
        picture = "nav-bg-down.png";
    else if (button == m_w.btnPrev)
        picture = "nav-bg-prev.png";
    else if (button == m_w.btnPlay)
        picture = "nav-bg-center.png";
    m_w.mediaNav->setStyleSheet(
        QStringLiteral("QWidget#mediaNav{background-image:url(%1);}").arg(skin(picture)));
}

void MediaPanel::padReleased()
{
    padPressed(nullptr);
}

void MediaPanel::updatePlayIcon()
{
    m_w.btnPlay->setIcon(pictureIcon(skin(m_playing ? "pause-2.png" : "play-2.png")));
}

void MediaPanel::updateMuteIcon()
{
    m_w.btnAudioMute->setIcon(pictureIcon(skin(m_muted ? "mute-big.png" : "audio-big.png")));
}

// --- loading the panel for a window

void MediaPanel::loadWindow(uint windowId)
{
    const quint64 load = ++m_loads;
    m_w.mediaNav->setEnabled(true);
    const std::optional<WallWindow> window = m_windows.findWindow(windowId);
    if (!window)
        return;
    // Other documents, applications and kinds the panel does not know leave it as it was.
    const std::optional<ModeLayout> layout = layoutForType(window->winType);
    if (!layout)
        return;

    VideoParams video; // what a failed query leaves
    int interval = 0;
    if (layout->query != ModeLayout::Query::None) {
        QPointer<MediaPanel> self(this);
        net::Operation operation(m_w.window, *m_session, Qt::ArrowCursor);
        const bool videoQuery = layout->query == ModeLayout::Query::Video;
        const Transport::Result result =
            m_transport->query(videoQuery ? videoParamsQuery(windowId) : pictureParamsQuery(windowId));
        // The session ended, or a later selection set the panel up while this one waited.
        if (!self || !operation.sessionCurrent() || m_loads != load)
            return;
        if (result.ok() && videoQuery)
            video = videoParamsFromReply(Transport::parseObject(result.body));
        else if (result.ok())
            interval = pictureIntervalFromReply(Transport::parseObject(result.body));
    }

    if (layout->query == ModeLayout::Query::Video) {
        m_muted = video.muted;
        m_playing = video.playing;
        m_totalTime = video.totalTime;
        updatePlayIcon();
        updateMuteIcon();
        m_w.labelVideo->setPixmap(QPixmap(skin("video-big.png")));
    } else if (layout->query == ModeLayout::Query::Picture) {
        m_w.labelVideo->setPixmap(QPixmap(skin("clock.png")));
    }
    applyLayout(*layout);
    switch (layout->mode) {
    case PanelMode::Video:
        setTimeSlider(0, video.totalTime, video.curTime);
        break;
    case PanelMode::LiveVideo:
        setTimeSlider(layout->sliderMin, layout->sliderMax, video.showTime);
        break;
    case PanelMode::Picture:
        setTimeSlider(layout->sliderMin, layout->sliderMax, interval);
        break;
    case PanelMode::Web:
    case PanelMode::Office:
        break;
    }
    if (layout->query == ModeLayout::Query::Video) {
        // The volume read back is shown, not sent back to the window.
        const QSignalBlocker quiet(m_w.sliderVolume);
        m_w.sliderVolume->setValue(video.volume);
    }
    m_w.labelWindowName->setText(window->name);
}

void MediaPanel::applyLayout(const ModeLayout &layout)
{
    m_mode = layout.mode;
    m_w.widgetVolume->setVisible(layout.volumeShown);
    m_w.widgetVideoCtrl->setVisible(layout.timeShown);
    const struct
    {
        Control control;
        QWidget *widget;
    } controls[] = {
        {Control::Prev, m_w.btnPrev},
        {Control::Next, m_w.btnNext},
        {Control::Play, m_w.btnPlay},
        {Control::PageUp, m_w.btnPageUp},
        {Control::PageDown, m_w.btnPageDown},
        {Control::ZoomIn, m_w.btnZoomIn},
        {Control::ZoomOut, m_w.btnZoomOut},
        {Control::Expand, m_w.btnExpand},
        {Control::Restore, m_w.btnRestore},
        {Control::AudioMute, m_w.btnAudioMute},
        {Control::Volume, m_w.sliderVolume},
        {Control::TimeSlider, m_w.sliderVideoTime},
        {Control::TimeText, m_w.labelVideoTime},
        {Control::VideoIcon, m_w.labelVideo},
    };
    for (const auto &c : controls)
        c.widget->setEnabled(layout.isEnabled(c.control));
    // The volume of a muted window cannot be changed until its sound is on again.
    if (m_muted)
        m_w.sliderVolume->setEnabled(false);
}

void MediaPanel::setTimeSlider(int minimum, int maximum, int value)
{
    m_w.sliderVideoTime->setRange(minimum, maximum);
    m_w.sliderVideoTime->setValue(value);
    // The text follows the mode even when the value happened to stay the same.
    updateTimeText();
}

void MediaPanel::updateTimeText()
{
    on_sliderVideoTime_valueChanged(m_w.sliderVideoTime->value());
}

// --- the position poll

void MediaPanel::pollPosition()
{
    const std::optional<WallWindow> window = m_windows.selectedWindow();
    if (!window || window->winType != 0 || m_mode != PanelMode::Video)
        return;
    QPointer<MediaPanel> self(this);
    net::Operation operation(m_w.window, *m_session, Qt::ArrowCursor);
    const Transport::Result result = m_transport->query(videoParamsQuery(window->windowId));
    if (!self || !operation.sessionCurrent())
        return;
    // Another window was selected meanwhile, or the operator holds the slider: leave it.
    const std::optional<WallWindow> now = m_windows.selectedWindow();
    if (!now || now->windowId != window->windowId || m_mode != PanelMode::Video ||
        m_w.sliderVideoTime->isSliderDown())
        return;
    m_w.sliderVideoTime->setValue(
        result.ok() ? videoParamsFromReply(Transport::parseObject(result.body)).curTime : 0);
}

// --- the controls

bool MediaPanel::send(Action action, int value)
{
    const std::optional<WallWindow> window = m_windows.selectedWindow();
    if (!window)
        return false;
    const std::optional<QJsonObject> request =
        actionRequest(window->winType, window->windowId, action, value);
    if (!request)
        return false;
    const bool busy = action == Action::Prev || action == Action::Next || action == Action::Expand ||
                      action == Action::Restore || action == Action::ZoomIn || action == Action::ZoomOut ||
                      action == Action::PageUp || action == Action::PageDown;
    net::Operation operation(m_w.window, *m_session, busy ? Qt::WaitCursor : Qt::ArrowCursor);
    m_transport->postCommand(*request, request->value(QStringLiteral("Command")).toString());
    return true;
}

static bool hasControl(const WindowSource &windows, Action action)
{
    const std::optional<WallWindow> window = windows.selectedWindow();
    return window && actionRequest(window->winType, window->windowId, action).has_value();
}

void MediaPanel::on_btnPlay_clicked()
{
    // The flag turns over only when the command goes out; a failed command leaves it turned.
    const Action action = m_playing ? Action::Pause : Action::Resume;
    if (!hasControl(m_windows, action))
        return;
    m_playing = !m_playing;
    updatePlayIcon();
    send(action);
}

void MediaPanel::on_btnAudioMute_clicked()
{
    const Action action = m_muted ? Action::AudioOn : Action::AudioOff;
    if (!hasControl(m_windows, action))
        return;
    m_muted = !m_muted;
    m_w.sliderVolume->setEnabled(!m_muted);
    updateMuteIcon();
    send(action);
}

void MediaPanel::on_sliderVolume_valueChanged(int value)
{
    send(Action::Volume, value);
}

void MediaPanel::on_sliderVideoTime_sliderPressed()
{
    emit timeSliderPressed();
}

void MediaPanel::on_sliderVideoTime_sliderReleased()
{
    // The poll runs again before the seek goes out (and so also while it waits), whatever
    // the selected window turns out to accept.
    emit timeSliderReleased();
    send(Action::Seek, m_w.sliderVideoTime->value());
}

void MediaPanel::on_sliderVideoTime_valueChanged(int value)
{
    if (const std::optional<QString> text = timeText(m_mode, value, m_totalTime))
        m_w.labelVideoTime->setText(*text);
}

} // namespace control
