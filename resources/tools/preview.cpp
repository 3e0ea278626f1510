#include "preview.h"

#include "paintkit.h"

#include <cstdio>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QFontDatabase>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace drawimages {

namespace {

QString g_root; // resources folder; ":/images/" paths of the preview are read from there

QIcon icon(const QString &resourcePath)
{
    return QIcon(QString(resourcePath).replace(0, 2, g_root + QLatin1Char('/')));
}
QPixmap pixmap(const QString &resourcePath)
{
    return icon(resourcePath).pixmap(512);
}

template<typename T>
T *named(QWidget *parent, const char *name)
{
    auto *w = new T(parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

QPushButton *button(QWidget *parent, const char *name, const QString &text,
                    const QString &iconPath = QString())
{
    auto *b = named<QPushButton>(parent, name);
    b->setText(text);
    if (!iconPath.isEmpty()) {
        b->setIcon(icon(iconPath));
        b->setIconSize(QSize(28, 28));
    }
    return b;
}

QWidget *titleBar(QWidget *parent)
{
    auto *frame = named<QFrame>(parent, "frameTitle");
    frame->setFixedHeight(56);
    auto *row = new QHBoxLayout(frame);
    row->setContentsMargins(12, 4, 8, 4);
    auto *logo = new QLabel(frame);
    logo->setPixmap(pixmap(QStringLiteral(":/images/newskin/logo.png"))
                        .scaled(40, 40, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    row->addWidget(logo);
    row->addWidget(
        button(frame, "btnConnect", QStringLiteral(" 连接"), QStringLiteral(":/images/newskin/display.png")));
    row->addStretch(1);
    auto *title = named<QLabel>(frame, "label_3");
    title->setText(QStringLiteral("Pelmora 拼接控制台"));
    row->addWidget(title);
    row->addStretch(1);
    auto *progress = named<QProgressBar>(frame, "progressBar");
    progress->setValue(62);
    progress->setFixedWidth(180);
    row->addWidget(progress);
    row->addWidget(button(frame, "btnLanguage", QStringLiteral("English")));
    row->addWidget(button(frame, "btnSettings", QStringLiteral("设置")));
    auto *minimize = button(frame, "btnMinimize", QString(QChar(0xF068)));
    minimize->setProperty("iconFont", true);
    row->addWidget(minimize);
    auto *close = button(frame, "closeButton", QString(QChar(0xF00D)));
    close->setProperty("iconFont", true);
    row->addWidget(close);
    return frame;
}

QWidget *categoryBar(QWidget *parent)
{
    auto *frame = named<QFrame>(parent, "frameLeftBar");
    frame->setFixedWidth(300);
    auto *column = new QVBoxLayout(frame);
    column->setContentsMargins(0, 0, 0, 0);
    auto *inner = named<QFrame>(frame, "frame_2");
    auto *buttons = new QVBoxLayout(inner);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(2);
    const struct
    {
        const char *name;
        const char *text;
        const char *icon;
    } categories[] = {
        {"videoListButton", "   视频", "video"},
        {"modalListButton", "   场景", "scene"},
        {"audioListButton", "   图片", "picture"},
        {"pptListButton", "   Office", "office-new"},
        {"webListButton", "   网页", "web-page"},
        {"netVideoListButton", "  网络视频", "net-video"},
        {"usbVideoListButton", "   USB视频", "USB"},
        {"docListButton", "   其他文档和应用", "other-doc"},
        {"captionButton", "   字幕和背景", "caption-cat"},
        {"musicButton", "   背景音乐", "music-cat"},
    };
    for (const auto &c : categories) {
        auto *b = named<QToolButton>(inner, c.name);
        b->setCheckable(true);
        b->setAutoExclusive(true);
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setIconSize(QSize(32, 32));
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        b->setText(QString::fromUtf8(c.text));
        QString file = QLatin1String(c.icon);
        if (qstrcmp(c.name, "videoListButton") == 0) {
            b->setChecked(true);
            file += QStringLiteral("-select");
        }
        b->setIcon(icon(QStringLiteral(":/images/newskin/%1.png").arg(file)));
        buttons->addWidget(b);
    }
    column->addWidget(inner);
    column->addStretch(1);
    auto *tools = new QHBoxLayout;
    const char *toolNames[] = {"btnSelectAll", "btnDeSelectAll", "btnSaveModal", "btnRemoveModal"};
    const char *toolIcons[] = {"select", "no-select", "add", "trash"};
    for (int i = 0; i < 4; ++i) {
        auto *b = named<QPushButton>(frame, toolNames[i]);
        b->setIcon(icon(QStringLiteral(":/images/newskin/%1.png").arg(QLatin1String(toolIcons[i]))));
        b->setEnabled(i != 3);
        tools->addWidget(b);
    }
    column->addLayout(tools);
    return frame;
}

QWidget *canvasArea(QWidget *parent)
{
    auto *frame = named<QFrame>(parent, "frameCenter");
    auto *column = new QVBoxLayout(frame);
    auto *scroll = named<QScrollArea>(frame, "scrollArea");
    auto *canvas = named<QLabel>(scroll, "labelScreen");
    canvas->setStyleSheet(
        QStringLiteral("background-color: rgb(16, 24, 32); border: 1px solid rgb(64, 64, 64);"));
    canvas->setFixedSize(900, 430);
    // a window item with its three buttons, as the wall canvas draws it
    auto *item = new QWidget(canvas);
    item->setGeometry(60, 50, 420, 240);
    item->setStyleSheet(
        QStringLiteral("background-color: rgba(40, 90, 60, 192); border: 2px solid rgb(29, 126, 150);"));
    const char *itemButtons[] = {"win-close", "win-expand", "win-restore"};
    for (int i = 0; i < 3; ++i) {
        auto *b = new QPushButton(item);
        b->setStyleSheet(QStringLiteral("background:transparent;border:none;"));
        b->setIcon(icon(QStringLiteral(":/images/newskin/%1.png").arg(QLatin1String(itemButtons[i]))));
        b->setIconSize(QSize(48, 36));
        b->setGeometry(420 - 49 - i * 50, 3, 48, 36);
    }
    scroll->setWidget(canvas);
    scroll->setAlignment(Qt::AlignCenter);
    column->addWidget(scroll, 1);
    auto *ctrl = named<QFrame>(frame, "frameScreenCtrl");
    auto *row = new QHBoxLayout(ctrl);
    row->setContentsMargins(0, 0, 0, 0);
    auto *echo = button(ctrl, "btnScrEcho", QString(), QStringLiteral(":/images/newskin/play.png"));
    row->addWidget(echo);
    row->addWidget(button(ctrl, "btnQuickArrange", QStringLiteral("快速排列")));
    row->addWidget(button(ctrl, "btnClearScr", QStringLiteral("清屏")));
    auto *moveBottom = button(ctrl, "btnMoveBottom", QStringLiteral("置底"));
    moveBottom->setEnabled(false);
    row->addWidget(moveBottom);
    row->addWidget(button(ctrl, "btnScreenZoomOut", QStringLiteral("-")));
    auto *zoom = named<QLabel>(ctrl, "labelZoom");
    zoom->setText(QStringLiteral("100%"));
    row->addWidget(zoom);
    row->addWidget(button(ctrl, "btnScreenZoomIn", QStringLiteral("+")));
    row->addStretch(1);
    row->addWidget(button(ctrl, "btnMatrixScreen", QStringLiteral("独立屏幕")));
    for (int i = 1; i <= 2; ++i) {
        auto *b = button(ctrl, i == 1 ? "btnMultiScreen1" : "btnMultiScreen2",
                         i == 1 ? QStringLiteral("拼接屏一") : QStringLiteral("拼接屏二"));
        b->setCheckable(true);
        b->setChecked(i == 1);
        row->addWidget(b);
    }
    column->addWidget(ctrl);
    return frame;
}

QWidget *mediaPanel(QWidget *parent)
{
    auto *frame = named<QFrame>(parent, "frameMediaCtrl");
    auto *column = new QVBoxLayout(frame);
    auto *title = named<QLabel>(frame, "labelMediaCtrlTitle");
    title->setText(QStringLiteral("媒体控制"));
    column->addWidget(title);
    auto *windowName = named<QLabel>(frame, "labelWindowName");
    windowName->setText(QStringLiteral("Lobby loop.mp4"));
    column->addWidget(windowName);
    auto *nav = named<QWidget>(frame, "mediaNav");
    nav->setFixedSize(200, 200);
    const struct
    {
        const char *name;
        QRect geometry;
        const char *picture;
    } pads[] = {{"btnPageUp", {60, 4, 80, 50}, "nav-up.png"},
                {"btnPrev", {4, 60, 50, 80}, "nav-prev.png"},
                {"btnPlay", {62, 62, 76, 76}, "pause-2.png"},
                {"btnNext", {146, 60, 50, 80}, "nav-next.png"},
                {"btnPageDown", {60, 146, 80, 50}, "nav-down.png"}};
    for (const auto &pad : pads) {
        auto *b = named<QPushButton>(nav, pad.name);
        b->setGeometry(pad.geometry);
        b->setIcon(icon(QStringLiteral(":/images/newskin/") + QLatin1String(pad.picture)));
        b->setIconSize(qstrcmp(pad.name, "btnPlay") == 0 ? QSize(40, 40) : QSize(34, 34));
    }
    column->addWidget(nav, 0, Qt::AlignHCenter);
    auto *zoomRow = new QHBoxLayout;
    zoomRow->addWidget(button(frame, "btnZoomIn", QStringLiteral("放大")));
    zoomRow->addWidget(button(frame, "btnZoomOut", QStringLiteral("缩小")));
    zoomRow->addWidget(button(frame, "btnExpand", QStringLiteral("全屏")));
    zoomRow->addWidget(button(frame, "btnRestore", QStringLiteral("还原")));
    column->addLayout(zoomRow);
    auto *video = named<QWidget>(frame, "widgetVideoCtrl");
    auto *videoRow = new QHBoxLayout(video);
    auto *videoIcon = named<QLabel>(video, "labelVideo");
    videoIcon->setPixmap(pixmap(QStringLiteral(":/images/newskin/video-big.png"))
                             .scaled(28, 28, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    videoRow->addWidget(videoIcon);
    auto *time = named<QSlider>(video, "sliderVideoTime");
    time->setOrientation(Qt::Horizontal);
    time->setValue(40);
    videoRow->addWidget(time, 1);
    auto *timeText = named<QLabel>(video, "labelVideoTime");
    timeText->setText(QStringLiteral("01:12/03:00"));
    videoRow->addWidget(timeText);
    column->addWidget(video);
    auto *volume = named<QWidget>(frame, "widgetVolume");
    auto *volumeRow = new QHBoxLayout(volume);
    auto *mute = named<QPushButton>(volume, "btnAudioMute");
    mute->setIcon(icon(QStringLiteral(":/images/newskin/audio-big.png")));
    mute->setIconSize(QSize(28, 28));
    volumeRow->addWidget(mute);
    auto *level = named<QSlider>(volume, "sliderVolume");
    level->setOrientation(Qt::Horizontal);
    level->setValue(70);
    volumeRow->addWidget(level, 1);
    column->addWidget(volume);
    return frame;
}

QWidget *musicPanel(QWidget *parent)
{
    auto *frame = named<QFrame>(parent, "frameBGMCtrl");
    auto *column = new QVBoxLayout(frame);
    auto *title = named<QLabel>(frame, "label_2");
    title->setText(QStringLiteral("背景音乐控制"));
    column->addWidget(title);
    auto *row = new QHBoxLayout;
    row->addWidget(button(frame, "btnBGMPlay", QString(), QStringLiteral(":/images/newskin/play.png")));
    row->addWidget(button(frame, "btnBGMStop", QString(), QStringLiteral(":/images/newskin/pause.png")));
    auto *volume = named<QSlider>(frame, "sliderBGMVolume");
    volume->setOrientation(Qt::Horizontal);
    volume->setValue(50);
    volume->setEnabled(false);
    row->addWidget(volume, 1);
    column->addLayout(row);
    return frame;
}

// A thumbnail as the resource strip builds it: the frame with the picture in its inside.
QIcon framed(const QString &picture)
{
    QImage frame = pixmap(QStringLiteral(":/images/newskin/res-border.png"))
                       .toImage()
                       .scaled(160, 120, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPainter p(&frame);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRect(8, 8, frame.width() - 16, frame.height() - 16), pixmap(picture).toImage());
    p.end();
    return QIcon(QPixmap::fromImage(frame));
}

QWidget *bottomBar(QWidget *parent)
{
    auto *frame = named<QFrame>(parent, "frameBottom");
    frame->setFixedHeight(200);
    auto *row = new QHBoxLayout(frame);
    auto *plan = named<QTableWidget>(frame, "listAutoSwitch");
    plan->setColumnCount(2);
    plan->setRowCount(3);
    plan->setHorizontalHeaderLabels({QStringLiteral("场景名称"), QStringLiteral("播放时长(分钟)")});
    plan->setItem(0, 0, new QTableWidgetItem(QStringLiteral("Morning")));
    plan->setItem(0, 1, new QTableWidgetItem(QStringLiteral("30")));
    plan->setFixedWidth(300);
    row->addWidget(plan);
    auto *holder = named<QWidget>(frame, "videoList");
    auto *holderLayout = new QVBoxLayout(holder);
    holderLayout->setContentsMargins(0, 0, 0, 0);
    auto *list = new QListWidget(holder);
    list->setViewMode(QListView::IconMode);
    list->setFlow(QListView::LeftToRight);
    list->setWrapping(false);
    list->setSpacing(8);
    list->setIconSize(QSize(160, 120));
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    const char *pictures[] = {"mkv", "avi", "word", "xlsx_win", "pptx_win", "url", "ipc2", "hdmi", "text"};
    for (const char *name : pictures) {
        auto *item = new QListWidgetItem(framed(QStringLiteral(":/images/%1.png").arg(QLatin1String(name))),
                                         QStringLiteral("%1 sample").arg(QLatin1String(name)));
        item->setSizeHint(QSize(200, 160));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(qstrcmp(name, "avi") == 0 ? Qt::Checked : Qt::Unchecked);
        list->addItem(item);
    }
    list->insertItem(
        0, new QListWidgetItem(framed(QStringLiteral(":/images/no_preview.jpg")), QStringLiteral("missing")));
    list->item(0)->setSizeHint(QSize(200, 160));
    list->setCurrentRow(2);
    holderLayout->addWidget(list);
    row->addWidget(holder, 1);
    return frame;
}

QDialog *messageBox()
{
    auto *box = new QDialog;
    box->setObjectName(QStringLiteral("frmMessageBox"));
    box->setFixedSize(400, 200);
    auto *root = new QVBoxLayout(box);
    root->setContentsMargins(1, 1, 1, 1);
    root->setSpacing(0);
    auto *strip = named<QWidget>(box, "widget_title");
    strip->setFixedHeight(30);
    auto *stripRow = new QHBoxLayout(strip);
    stripRow->setContentsMargins(6, 0, 0, 0);
    auto *glyph = named<QLabel>(strip, "lab_Ico");
    glyph->setText(QString(QChar(0xF015)));
    stripRow->addWidget(glyph);
    auto *title = named<QLabel>(strip, "lab_Title");
    title->setText(QStringLiteral("询问"));
    stripRow->addWidget(title, 1);
    auto *close = named<QPushButton>(strip, "btnMenu_Close");
    close->setText(QString(QChar(0xF00D)));
    close->setFixedSize(40, 30);
    stripRow->addWidget(close);
    root->addWidget(strip);
    auto *body = named<QGroupBox>(box, "groupBoxMsg");
    auto *bodyLayout = new QVBoxLayout(body);
    auto *message = new QHBoxLayout;
    auto *picture = named<QLabel>(body, "labIcoMain");
    picture->setFixedSize(48, 48);
    picture->setStyleSheet(QStringLiteral("border-image: url(%1/images/question.png);").arg(g_root));
    message->addWidget(picture);
    auto *text = named<QLabel>(body, "labInfo");
    text->setText(QStringLiteral("确定要删除吗?"));
    message->addWidget(text, 1);
    bodyLayout->addLayout(message, 1);
    auto *edits = new QHBoxLayout;
    auto *edit = named<QLineEdit>(body, "editHostIp");
    edit->setText(QStringLiteral("192.168.1.20"));
    edits->addWidget(edit);
    auto *combo = new QComboBox(body);
    combo->addItems({QStringLiteral("ZEV-1"), QStringLiteral("ZEV-2")});
    edits->addWidget(combo);
    auto *spin = new QSpinBox(body);
    spin->setValue(5);
    edits->addWidget(spin);
    bodyLayout->addLayout(edits);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(button(body, "btnOk", QStringLiteral("确定")));
    buttons->addWidget(button(body, "btnCancel", QStringLiteral("取消")));
    bodyLayout->addLayout(buttons);
    root->addWidget(body, 1);
    return box;
}

QMenu *settingsMenu()
{
    auto *menu = new QMenu;
    menu->addAction(icon(QStringLiteral(":/images/newskin/30-scr-setting.png")), QStringLiteral("屏幕设置"));
    menu->addSeparator();
    menu->addAction(icon(QStringLiteral(":/images/newskin/30-user-manager.png")), QStringLiteral("用户管理"));
    QAction *pwd = menu->addAction(icon(QStringLiteral(":/images/newskin/30-modify-pwd.png")),
                                   QStringLiteral("修改密码"));
    menu->setActiveAction(pwd);
    return menu;
}

} // namespace

bool renderPreview(const QString &resourcesDir, const QString &out)
{
    g_root = resourcesDir;
    QFile css(resourcesDir + QStringLiteral("/images/guiColor-new.css"));
    if (!css.open(QIODevice::ReadOnly))
        return false;
    QFontDatabase::addApplicationFont(
        QStringLiteral("/usr/share/fonts/truetype/font-awesome/fontawesome-webfont.ttf"));
    QFont::insertSubstitution(QStringLiteral("Microsoft YaHei"), QStringLiteral("Noto Sans CJK SC"));
    qApp->setPalette(QPalette(QColor(0xF0, 0xF0, 0xF0)));
    qApp->setStyleSheet(QString::fromLatin1(css.readAll())
                            .replace(QStringLiteral(":/images/"), resourcesDir + QStringLiteral("/images/")));

    QMainWindow window;
    window.setObjectName(QStringLiteral("MainWindow2"));
    window.setWindowFlags(Qt::FramelessWindowHint);
    auto *central = named<QWidget>(&window, "centralwidget");
    auto *root = new QVBoxLayout(central);
    root->setContentsMargins(0, 0, 0, 0);
    root->addWidget(titleBar(central));
    auto *middle = new QHBoxLayout;
    middle->setContentsMargins(8, 8, 8, 0);
    middle->addWidget(categoryBar(central));
    middle->addWidget(canvasArea(central), 1);
    auto *right = new QVBoxLayout;
    right->addWidget(mediaPanel(central));
    right->addWidget(musicPanel(central));
    middle->addLayout(right);
    root->addLayout(middle, 1);
    auto *bottom = new QHBoxLayout;
    bottom->setContentsMargins(8, 0, 8, 8);
    bottom->addWidget(bottomBar(central));
    root->addLayout(bottom);
    window.setCentralWidget(central);
    window.resize(1600, 1000);
    window.show();

    QDialog *box = messageBox();
    box->show();
    QMenu *menu = settingsMenu();
    menu->popup(QPoint(0, 0));
    qApp->processEvents();

    const QPixmap shotWindow = window.grab();
    const QPixmap shotBox = box->grab();
    const QPixmap shotMenu = menu->grab();
    QImage sheet(shotWindow.width(), shotWindow.height() + qMax(shotBox.height(), shotMenu.height()) + 24,
                 QImage::Format_RGB32);
    sheet.fill(QColor(90, 96, 104));
    QPainter p(&sheet);
    p.drawPixmap(0, 0, shotWindow);
    p.drawPixmap(12, shotWindow.height() + 12, shotBox);
    p.drawPixmap(shotBox.width() + 40, shotWindow.height() + 12, shotMenu);
    p.end();
    const bool ok = sheet.save(out);
    std::printf("preview: %s\n", qPrintable(out));
    delete box;
    delete menu;
    return ok;
}

} // namespace drawimages
