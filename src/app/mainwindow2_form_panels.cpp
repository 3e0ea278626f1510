// The right column (media and background-music control) and the bottom strip of the main
// window's form.
#include "app/mainwindow2_form.h"

#include "app/formhelpers.h"
#include "app/glyphicon.h"
#include "control/formcaption.h"
#include "library/imagewidget.h"
#include "scenes/formautoswitch.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace Ui {

using app::form::make;
using app::form::makeFrame;
using app::form::makeGlyphButton;
using app::form::makeSlider;

namespace {

QLabel *makeTitleLabel(QWidget *parent, const char *name)
{
    QLabel *label = make<QLabel>(parent, name);
    label->setFixedHeight(34);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QPushButton *makePadButton(QWidget *pad, const char *name, const QRect &geometry)
{
    QPushButton *button = make<QPushButton>(pad, name);
    button->setGeometry(geometry);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

// Keeps a container visible exactly while one of its watched children is: an empty box
// layout still claims a share of the row, so the container has to go away with them.
class VisibilityFollower : public QObject
{
public:
    VisibilityFollower(QWidget *container, QList<QWidget *> children)
        : QObject(container), m_container(container), m_children(std::move(children))
    {
        for (QWidget *child : qAsConst(m_children))
            child->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent) {
            bool any = false;
            for (QWidget *child : qAsConst(m_children))
                any = any || !child->isHidden();
            m_container->setVisible(any);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget *m_container;
    QList<QWidget *> m_children;
};

} // namespace

void MainWindow2::setupRightColumn(QWidget *parent)
{
    widgetRight = make<QWidget>(parent, "widgetRight");
    widgetRight->setFixedWidth(300);
    auto *column = new QVBoxLayout(widgetRight);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);

    frameMediaCtrl = makeFrame(widgetRight, "frameMediaCtrl");
    auto *media = new QVBoxLayout(frameMediaCtrl);
    media->setContentsMargins(4, 0, 4, 4);
    media->setSpacing(4);
    labelMediaCtrlTitle = makeTitleLabel(frameMediaCtrl, "labelMediaCtrlTitle");
    media->addWidget(labelMediaCtrlTitle);
    labelWindowName = make<QLabel>(frameMediaCtrl, "labelWindowName");
    labelWindowName->setAlignment(Qt::AlignCenter);
    // The controller's name of the window, shown as it is: as rich text its pictures would
    // be read from local files.
    labelWindowName->setTextFormat(Qt::PlainText);
    labelWindowName->setMinimumHeight(22);
    media->addWidget(labelWindowName);

    // The round pad: its background picture draws the four arrows; the buttons lie over
    // them (page up / previous / next / page down) and over the centre (play).
    mediaNav = make<QWidget>(frameMediaCtrl, "mediaNav");
    mediaNav->setFixedSize(200, 200);
    mediaNav->setAttribute(Qt::WA_StyledBackground);
    btnPageUp = makePadButton(mediaNav, "btnPageUp", QRect(64, 6, 72, 50));
    btnPrev = makePadButton(mediaNav, "btnPrev", QRect(6, 64, 50, 72));
    btnNext = makePadButton(mediaNav, "btnNext", QRect(144, 64, 50, 72));
    btnPageDown = makePadButton(mediaNav, "btnPageDown", QRect(64, 144, 72, 50));
    btnPlay = makePadButton(mediaNav, "btnPlay", QRect(62, 62, 76, 76));
    btnPlay->setIcon(QIcon(QStringLiteral(":/images/newskin/play-2.png")));
    btnPlay->setIconSize(QSize(34, 34));
    media->addWidget(mediaNav, 0, Qt::AlignHCenter);

    auto *view = new QHBoxLayout;
    view->setSpacing(10);
    view->addStretch(1);
    btnZoomIn = makeGlyphButton(frameMediaCtrl, "btnZoomIn", app::glyph::kSearchPlus, 44, 22);
    btnZoomOut = makeGlyphButton(frameMediaCtrl, "btnZoomOut", app::glyph::kSearchMinus, 44, 22);
    btnExpand = makeGlyphButton(frameMediaCtrl, "btnExpand", app::glyph::kExpand, 44, 22);
    btnRestore = makeGlyphButton(frameMediaCtrl, "btnRestore", app::glyph::kCompress, 44, 22);
    for (QPushButton *button : {btnZoomIn, btnZoomOut, btnExpand, btnRestore})
        view->addWidget(button);
    view->addStretch(1);
    media->addLayout(view);

    widgetVideoCtrl = make<QWidget>(frameMediaCtrl, "widgetVideoCtrl");
    auto *video = new QGridLayout(widgetVideoCtrl);
    video->setContentsMargins(0, 0, 0, 0);
    video->setHorizontalSpacing(8);
    video->setVerticalSpacing(2);
    labelVideo = make<QLabel>(widgetVideoCtrl, "labelVideo");
    labelVideo->setPixmap(QPixmap(QStringLiteral(":/images/newskin/clock.png")));
    labelVideo->setScaledContents(true);
    labelVideo->setFixedSize(24, 24);
    sliderVideoTime = makeSlider(widgetVideoCtrl, "sliderVideoTime", 0);
    labelVideoTime = make<QLabel>(widgetVideoCtrl, "labelVideoTime");
    labelVideoTime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    video->addWidget(labelVideo, 0, 0);
    video->addWidget(sliderVideoTime, 0, 1);
    video->addWidget(labelVideoTime, 1, 1);
    media->addWidget(widgetVideoCtrl);

    widgetVolume = make<QWidget>(frameMediaCtrl, "widgetVolume");
    auto *volume = new QHBoxLayout(widgetVolume);
    volume->setContentsMargins(0, 0, 0, 0);
    volume->setSpacing(8);
    btnAudioMute = make<QPushButton>(widgetVolume, "btnAudioMute");
    btnAudioMute->setIcon(QIcon(QStringLiteral(":/images/newskin/audio-big.png")));
    btnAudioMute->setIconSize(QSize(26, 26));
    btnAudioMute->setFixedSize(32, 32);
    btnAudioMute->setFocusPolicy(Qt::NoFocus);
    sliderVolume = makeSlider(widgetVolume, "sliderVolume", 0);
    volume->addWidget(btnAudioMute);
    volume->addWidget(sliderVolume, 1);
    media->addWidget(widgetVolume);
    media->addStretch(1);
    column->addWidget(frameMediaCtrl, 1);

    frameBGMCtrl = makeFrame(widgetRight, "frameBGMCtrl");
    auto *bgm = new QVBoxLayout(frameBGMCtrl);
    bgm->setContentsMargins(4, 0, 4, 4);
    bgm->setSpacing(4);
    label_2 = makeTitleLabel(frameBGMCtrl, "label_2");
    bgm->addWidget(label_2);
    auto *bgmRow = new QHBoxLayout;
    bgmRow->setSpacing(8);
    btnBGMPlay = makeGlyphButton(frameBGMCtrl, "btnBGMPlay", app::glyph::kPlay, 40, 20);
    btnBGMStop = makeGlyphButton(frameBGMCtrl, "btnBGMStop", app::glyph::kStop, 40, 20);
    labelBGMVolume = make<QLabel>(frameBGMCtrl, "labelBGMVolume");
    labelBGMVolume->setPixmap(app::glyphPixmap(QChar(app::glyph::kVolumeDown), 20, QColor(225, 225, 225)));
    sliderBGMVolume = makeSlider(frameBGMCtrl, "sliderBGMVolume", 50);
    bgmRow->addWidget(btnBGMPlay);
    bgmRow->addWidget(btnBGMStop);
    bgmRow->addSpacing(6);
    bgmRow->addWidget(labelBGMVolume);
    bgmRow->addWidget(sliderBGMVolume, 1);
    bgm->addLayout(bgmRow);
    column->addWidget(frameBGMCtrl);
}

void MainWindow2::setupBottom(QWidget *parent)
{
    frameBottom = makeFrame(parent, "frameBottom");
    frameBottom->setFixedHeight(180);
    // A thinner frame at top and bottom leaves the thumbnails (200x160 plus spacing) their
    // full height.
    frameBottom->setStyleSheet(QStringLiteral("QFrame#frameBottom{border-width:6px 10px 4px 10px;}"));
    auto *strip = new QHBoxLayout(frameBottom);
    strip->setContentsMargins(0, 0, 0, 0);
    strip->setSpacing(6);

    // The scene panel (rotation plan and scene list) is shown while either part is.
    widgetModalList = make<QWidget>(frameBottom, "widgetModalList");
    auto *scenes = new QHBoxLayout(widgetModalList);
    scenes->setContentsMargins(0, 0, 0, 0);
    scenes->setSpacing(6);
    autoSwitch = make<FormAutoSwitch>(widgetModalList, "autoSwitch");
    modalList = make<ImageWidget>(widgetModalList, "modalList");
    scenes->addWidget(autoSwitch);
    scenes->addWidget(modalList, 1);
    new VisibilityFollower(widgetModalList, {autoSwitch, modalList});
    strip->addWidget(widgetModalList);

    videoList = make<ImageWidget>(frameBottom, "videoList");
    audioList = make<ImageWidget>(frameBottom, "audioList");
    captionList = make<FormCaption>(frameBottom, "captionList");
    for (QWidget *panel : {static_cast<QWidget *>(modalList), static_cast<QWidget *>(videoList),
                           static_cast<QWidget *>(audioList), static_cast<QWidget *>(captionList)})
        panel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    strip->addWidget(videoList);
    strip->addWidget(audioList);
    strip->addWidget(captionList);
}

} // namespace Ui
