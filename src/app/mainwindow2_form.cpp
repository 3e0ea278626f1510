#include "app/mainwindow2_form.h"

#include "app/formhelpers.h"
#include "app/glyphicon.h"
#include "library/imagewidget.h"
#include "wall/matrixscreen.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

namespace Ui {

using app::form::make;
using app::form::makeFrame;
using app::form::makeGlyphButton;
using app::form::makeSlider;

namespace {

QToolButton *makeCategoryButton(QWidget *parent, QVBoxLayout *layout, const char *name, const char *picture)
{
    QToolButton *button = make<QToolButton>(parent, name);
    const QString base = QStringLiteral(":/images/newskin/%1").arg(QString::fromLatin1(picture));
    QIcon icon(base + QStringLiteral(".png"));
    icon.addFile(base + QStringLiteral("-select.png"), QSize(), QIcon::Normal, QIcon::On);
    button->setIcon(icon);
    button->setIconSize(QSize(36, 36));
    button->setCheckable(true);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setMinimumHeight(60);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    button->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(button);
    return button;
}

// The category texts are drawn 24 pixels high, bold while checked. When a text is too long
// for the room beside its icon (a translation, most often), all of them are drawn in the
// largest size at which every one fits, so that the bar keeps one size.
constexpr int kCategoryTextPx = 24;
constexpr int kCategoryMinTextPx = 14;
// The style's padding before the icon, the style's gap after it and a margin at the end.
constexpr int kCategoryChrome = 14 + 4 + 4;

int fittingPixelSize(const QToolButton *button)
{
    const int room = button->width() - kCategoryChrome - button->iconSize().width();
    QFont font = button->font();
    font.setBold(true);
    int px = kCategoryTextPx;
    for (; px > kCategoryMinTextPx; --px) {
        font.setPixelSize(px);
        if (QFontMetrics(font).horizontalAdvance(button->text()) <= room)
            break;
    }
    return px;
}

void fitCategoryTexts(const QList<QToolButton *> &buttons)
{
    int px = kCategoryTextPx;
    for (const QToolButton *button : buttons) {
        // Not laid out yet: the first resize fits them.
        if (button->width() <= kCategoryChrome + button->iconSize().width())
            return;
        px = qMin(px, fittingPixelSize(button));
    }
    const QString style = px == kCategoryTextPx ? QString() : QStringLiteral("font-size:%1px;").arg(px);
    for (QToolButton *button : buttons) {
        if (button->styleSheet() != style)
            button->setStyleSheet(style);
    }
}

// Fits the texts again when the category buttons change their width.
class CategoryTextFitter : public QObject
{
public:
    CategoryTextFitter(QObject *parent, QList<QToolButton *> buttons)
        : QObject(parent), m_buttons(std::move(buttons))
    {
        for (QToolButton *button : qAsConst(m_buttons))
            button->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize)
            fitCategoryTexts(m_buttons);
        return QObject::eventFilter(watched, event);
    }

private:
    QList<QToolButton *> m_buttons;
};

QPushButton *makePictureButton(QWidget *parent, const char *name, const char *picture)
{
    QPushButton *button = make<QPushButton>(parent, name);
    button->setIcon(QIcon(QStringLiteral(":/images/newskin/%1").arg(QString::fromLatin1(picture))));
    button->setIconSize(QSize(32, 32));
    button->setFixedSize(52, 44);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

void MainWindow2::setupUi(QMainWindow *w)
{
    if (w->objectName().isEmpty())
        w->setObjectName(QStringLiteral("MainWindow2"));
    w->resize(1920, 1080);
    w->setMaximumSize(1920, 1080);

    centralwidget = make<QWidget>(w, "centralwidget");
    verticalLayoutMain = new QVBoxLayout(centralwidget);
    verticalLayoutMain->setObjectName(QStringLiteral("verticalLayoutMain"));
    verticalLayoutMain->setContentsMargins(0, 0, 0, 0);
    verticalLayoutMain->setSpacing(0);

    setupTitleBar(centralwidget);
    verticalLayoutMain->addWidget(frameTitle);

    auto *middle = new QHBoxLayout;
    middle->setObjectName(QStringLiteral("horizontalLayoutMiddle"));
    middle->setContentsMargins(6, 6, 6, 0);
    middle->setSpacing(6);
    setupLeftBar(centralwidget);
    setupCenter(centralwidget);
    setupRightColumn(centralwidget);
    middle->addWidget(frameLeftBar);
    middle->addWidget(frameCenter, 1);
    middle->addWidget(widgetRight);
    verticalLayoutMain->addLayout(middle, 1);

    setupBottom(centralwidget);
    verticalLayoutMain->addWidget(frameBottom);

    w->setCentralWidget(centralwidget);

    retranslateUi(w);
    QMetaObject::connectSlotsByName(w);
}

void MainWindow2::setupTitleBar(QWidget *parent)
{
    frameTitle = makeFrame(parent, "frameTitle");
    frameTitle->setFixedHeight(64);
    auto *layout = new QHBoxLayout(frameTitle);
    layout->setContentsMargins(16, 0, 10, 0);
    layout->setSpacing(8);

    labelLogo = make<QLabel>(frameTitle, "labelLogo");
    labelLogo->setFixedSize(40, 40);
    labelLogo->setScaledContents(true);
    labelLogo->setPixmap(QPixmap(QStringLiteral(":/images/newskin/logo.png")));
    layout->addWidget(labelLogo);

    label_3 = make<QLabel>(frameTitle, "label_3");
    label_3->setStyleSheet(QStringLiteral("color:#ffffff;font-size:24px;font-weight:bold;"));
    layout->addWidget(label_3);
    layout->addStretch(1);

    progressBar = make<QProgressBar>(frameTitle, "progressBar");
    progressBar->setFixedSize(260, 18);
    progressBar->setRange(0, 100);
    progressBar->setValue(0);
    progressBar->hide();
    layout->addWidget(progressBar);
    layout->addSpacing(16);

    btnConnect = make<QPushButton>(frameTitle, "btnConnect");
    btnConnect->setIcon(app::glyphIcon(QChar(app::glyph::kLink), 20));
    btnConnect->setIconSize(QSize(20, 20));
    btnConnect->setMinimumSize(96, 40);
    btnConnect->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(btnConnect);

    btnLanguage = makeGlyphButton(frameTitle, "btnLanguage", app::glyph::kGlobe);
    layout->addWidget(btnLanguage);
    btnSettings = makeGlyphButton(frameTitle, "btnSettings", app::glyph::kCog);
    layout->addWidget(btnSettings);
    layout->addSpacing(12);
    btnMinimize = makeGlyphButton(frameTitle, "btnMinimize", app::glyph::kMinus);
    layout->addWidget(btnMinimize);
    closeButton = makeGlyphButton(frameTitle, "closeButton", app::glyph::kClose);
    layout->addWidget(closeButton);
}

void MainWindow2::setupLeftBar(QWidget *parent)
{
    frameLeftBar = makeFrame(parent, "frameLeftBar");
    frameLeftBar->setFixedWidth(280);
    auto *outer = new QVBoxLayout(frameLeftBar);
    outer->setContentsMargins(8, 10, 8, 10);
    outer->setSpacing(8);

    // On short screens the category buttons scroll instead of being squeezed.
    scrollAreaCategories = make<QScrollArea>(frameLeftBar, "scrollAreaCategories");
    scrollAreaCategories->setFrameShape(QFrame::NoFrame);
    scrollAreaCategories->setWidgetResizable(true);
    scrollAreaCategories->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollAreaCategories->setStyleSheet(
        QStringLiteral("QScrollArea#scrollAreaCategories{background:transparent;}"));
    scrollAreaCategories->viewport()->setAutoFillBackground(false);
    frame_2 = makeFrame(scrollAreaCategories, "frame_2");
    auto *buttons = new QVBoxLayout(frame_2);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(4);
    videoListButton = makeCategoryButton(frame_2, buttons, "videoListButton", "video");
    modalListButton = makeCategoryButton(frame_2, buttons, "modalListButton", "scene");
    audioListButton = makeCategoryButton(frame_2, buttons, "audioListButton", "picture");
    pptListButton = makeCategoryButton(frame_2, buttons, "pptListButton", "office-new");
    webListButton = makeCategoryButton(frame_2, buttons, "webListButton", "web-page");
    netVideoListButton = makeCategoryButton(frame_2, buttons, "netVideoListButton", "net-video");
    usbVideoListButton = makeCategoryButton(frame_2, buttons, "usbVideoListButton", "USB");
    docListButton = makeCategoryButton(frame_2, buttons, "docListButton", "other-doc");
    captionButton = makeCategoryButton(frame_2, buttons, "captionButton", "caption-cat");
    musicButton = makeCategoryButton(frame_2, buttons, "musicButton", "music-cat");
    // The USB picture pair is named differently from the others.
    QIcon usbIcon(QStringLiteral(":/images/newskin/USB.png"));
    usbIcon.addFile(QStringLiteral(":/images/newskin/usb-select.png"), QSize(), QIcon::Normal, QIcon::On);
    usbVideoListButton->setIcon(usbIcon);
    videoListButton->setChecked(true);
    new CategoryTextFitter(frame_2, categoryButtons());
    buttons->addStretch(1);
    scrollAreaCategories->setWidget(frame_2);
    outer->addWidget(scrollAreaCategories, 1);

    frameListCtrl = makeFrame(frameLeftBar, "frameListCtrl");
    auto *row = new QHBoxLayout(frameListCtrl);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    btnSelectAll = makePictureButton(frameListCtrl, "btnSelectAll", "select.png");
    btnDeSelectAll = makePictureButton(frameListCtrl, "btnDeSelectAll", "no-select.png");
    btnSaveModal = makePictureButton(frameListCtrl, "btnSaveModal", "add.png");
    btnRemoveModal = makePictureButton(frameListCtrl, "btnRemoveModal", "trash.png");
    row->addWidget(btnSelectAll);
    row->addWidget(btnDeSelectAll);
    row->addWidget(btnSaveModal);
    row->addWidget(btnRemoveModal);
    outer->addWidget(frameListCtrl);
}

void MainWindow2::setupCenter(QWidget *parent)
{
    frameCenter = makeFrame(parent, "frameCenter");
    auto *layout = new QVBoxLayout(frameCenter);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->setSpacing(6);

    frameScreenCtrl = makeFrame(frameCenter, "frameScreenCtrl");
    frameScreenCtrl->setFixedHeight(52);
    auto *ctrl = new QHBoxLayout(frameScreenCtrl);
    ctrl->setContentsMargins(4, 4, 4, 4);
    ctrl->setSpacing(6);
    btnScrEcho = make<QPushButton>(frameScreenCtrl, "btnScrEcho");
    btnScrEcho->setIcon(QIcon(QStringLiteral(":/images/newskin/play.png")));
    btnScrEcho->setIconSize(QSize(24, 24));
    btnScrEcho->setFixedSize(40, 40);
    btnScrEcho->setFocusPolicy(Qt::NoFocus);
    btnQuickArrange = makeGlyphButton(frameScreenCtrl, "btnQuickArrange", app::glyph::kKeyboard);
    btnClearScr = makeGlyphButton(frameScreenCtrl, "btnClearScr", app::glyph::kEraser);
    btnMoveBottom = makeGlyphButton(frameScreenCtrl, "btnMoveBottom", app::glyph::kDoubleDown);
    ctrl->addWidget(btnScrEcho);
    ctrl->addWidget(btnQuickArrange);
    ctrl->addWidget(btnClearScr);
    ctrl->addWidget(btnMoveBottom);
    ctrl->addSpacing(24);
    btnScreenZoomOut = makeGlyphButton(frameScreenCtrl, "btnScreenZoomOut", app::glyph::kSearchMinus);
    labelZoom = make<QLabel>(frameScreenCtrl, "labelZoom");
    labelZoom->setMinimumWidth(56);
    labelZoom->setAlignment(Qt::AlignCenter);
    btnScreenZoomIn = makeGlyphButton(frameScreenCtrl, "btnScreenZoomIn", app::glyph::kSearchPlus);
    ctrl->addWidget(btnScreenZoomOut);
    ctrl->addWidget(labelZoom);
    ctrl->addWidget(btnScreenZoomIn);
    ctrl->addStretch(1);

    btnMatrixScreen = make<QPushButton>(frameScreenCtrl, "btnMatrixScreen");
    btnMultiScreen1 = make<QPushButton>(frameScreenCtrl, "btnMultiScreen1");
    btnMultiScreen2 = make<QPushButton>(frameScreenCtrl, "btnMultiScreen2");
    btnMultiScreen3 = make<QPushButton>(frameScreenCtrl, "btnMultiScreen3");
    btnMultiScreen4 = make<QPushButton>(frameScreenCtrl, "btnMultiScreen4");
    for (QPushButton *button :
         {btnMatrixScreen, btnMultiScreen1, btnMultiScreen2, btnMultiScreen3, btnMultiScreen4}) {
        button->setCheckable(true);
        button->setMinimumSize(104, 38);
        button->setFocusPolicy(Qt::NoFocus);
        ctrl->addWidget(button);
    }
    layout->addWidget(frameScreenCtrl);

    scrollArea = make<QScrollArea>(frameCenter, "scrollArea");
    scrollArea->setFrameShape(QFrame::NoFrame);
    scrollArea->setWidgetResizable(false);
    scrollArea->setAlignment(Qt::AlignCenter);
    scrollArea->viewport()->setAutoFillBackground(false);
    // The canvas waits beside the scroll area's viewport until the window installs it.
    labelScreen = make<ScreenWidget>(scrollArea->viewport(), "labelScreen");
    labelScreen->setGeometry(QRect(QPoint(0, 0), QPoint(499, 399)));
    layout->addWidget(scrollArea, 1);

    mattrixWidget = make<MatrixScreen>(frameCenter, "mattrixWidget");
    mattrixWidget->hide();
    layout->addWidget(mattrixWidget, 1);
}

void MainWindow2::retranslateUi(QMainWindow *w)
{
    w->setWindowTitle(QCoreApplication::translate("MainWindow2", "多媒体拼控管理平台"));
    label_3->setText(QCoreApplication::translate("MainWindow2", "多媒体拼控管理平台"));
    btnConnect->setText(QCoreApplication::translate("MainWindow2", " 连接"));
    btnLanguage->setToolTip(QCoreApplication::translate("MainWindow2", "语言"));
    btnSettings->setToolTip(QCoreApplication::translate("MainWindow2", "设置"));
    btnMinimize->setToolTip(QCoreApplication::translate("MainWindow2", "最小化"));
    closeButton->setToolTip(QCoreApplication::translate("MainWindow2", "关闭窗口"));

    videoListButton->setText(QCoreApplication::translate("MainWindow2", "   视频"));
    modalListButton->setText(QCoreApplication::translate("MainWindow2", "   场景"));
    audioListButton->setText(QCoreApplication::translate("MainWindow2", "   图片"));
    pptListButton->setText(QCoreApplication::translate("MainWindow2", "   Office"));
    webListButton->setText(QCoreApplication::translate("MainWindow2", "   网页"));
    netVideoListButton->setText(QCoreApplication::translate("MainWindow2", "  网络视频"));
    usbVideoListButton->setText(QCoreApplication::translate("MainWindow2", "   USB视频"));
    docListButton->setText(QCoreApplication::translate("MainWindow2", "   其他文档和应用"));
    captionButton->setText(QCoreApplication::translate("MainWindow2", "   字幕和背景"));
    musicButton->setText(QCoreApplication::translate("MainWindow2", "   背景音乐"));
    fitCategoryTexts(categoryButtons());
    btnSelectAll->setToolTip(QCoreApplication::translate("MainWindow2", "全选"));
    btnDeSelectAll->setToolTip(QCoreApplication::translate("MainWindow2", "全不选"));
    btnSaveModal->setToolTip(QCoreApplication::translate("MainWindow2", "添加"));
    btnRemoveModal->setToolTip(QCoreApplication::translate("MainWindow2", "删除"));

    btnScrEcho->setToolTip(QCoreApplication::translate("MainWindow2", "屏幕回显"));
    btnQuickArrange->setToolTip(QCoreApplication::translate("MainWindow2", "大屏鼠标键盘控制"));
    btnClearScr->setToolTip(QCoreApplication::translate("MainWindow2", "清除屏幕上的所有窗口"));
    btnMoveBottom->setToolTip(QCoreApplication::translate("MainWindow2", "将选中的窗口置于最底层"));
    btnScreenZoomOut->setToolTip(QCoreApplication::translate("MainWindow2", "缩小"));
    btnScreenZoomIn->setToolTip(QCoreApplication::translate("MainWindow2", "放大"));
    labelZoom->setText(QCoreApplication::translate("MainWindow2", "100%"));
    btnMatrixScreen->setText(QCoreApplication::translate("MainWindow2", "独立屏幕"));
    btnMultiScreen1->setText(QCoreApplication::translate("MainWindow2", "拼接屏一"));
    btnMultiScreen2->setText(QCoreApplication::translate("MainWindow2", "拼接屏二"));
    btnMultiScreen3->setText(QCoreApplication::translate("MainWindow2", "拼接屏三"));
    btnMultiScreen4->setText(QCoreApplication::translate("MainWindow2", "拼接屏四"));

    labelMediaCtrlTitle->setText(QCoreApplication::translate("MainWindow2", "媒体控制"));
    btnPageUp->setToolTip(QCoreApplication::translate("MainWindow2", "上一页"));
    btnPrev->setToolTip(QCoreApplication::translate("MainWindow2", "上一个"));
    btnPlay->setToolTip(QCoreApplication::translate("MainWindow2", "播放/暂停"));
    btnNext->setToolTip(QCoreApplication::translate("MainWindow2", "下一个"));
    btnPageDown->setToolTip(QCoreApplication::translate("MainWindow2", "下一页"));
    btnZoomIn->setToolTip(QCoreApplication::translate("MainWindow2", "放大"));
    btnZoomOut->setToolTip(QCoreApplication::translate("MainWindow2", "缩小"));
    btnExpand->setToolTip(QCoreApplication::translate("MainWindow2", "全屏"));
    btnRestore->setToolTip(QCoreApplication::translate("MainWindow2", "还原"));
    labelVideoTime->setText(QCoreApplication::translate("MainWindow2", "00:00:00/00:00:00"));
    btnAudioMute->setToolTip(QCoreApplication::translate("MainWindow2", "静音"));
    label_2->setText(QCoreApplication::translate("MainWindow2", "背景音乐控制"));
    btnBGMPlay->setToolTip(QCoreApplication::translate("MainWindow2", "播放"));
    btnBGMStop->setToolTip(QCoreApplication::translate("MainWindow2", "停止"));
}

QList<QToolButton *> MainWindow2::categoryButtons() const
{
    return {videoListButton,    modalListButton,    audioListButton, pptListButton, webListButton,
            netVideoListButton, usbVideoListButton, docListButton,   captionButton, musicButton};
}

} // namespace Ui
