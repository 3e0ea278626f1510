#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

// The controller's state: screen groups and their windows, the resource catalogue,
// application windows, scenes, rotation plan, caption, background music, users and
// sessions. Plain values; the simulator guards one instance with its lock. Times are
// milliseconds of a monotonic clock handed in by the caller (`nowMs`), so playback
// positions advance in real time while a window plays.
namespace sim {

// Resource categories; the first seven equal the window type codes of their windows.
enum Category {
    CatVideo = 0,
    CatPicture,
    CatWeb,
    CatOffice,
    CatNetVideo,
    CatOther,
    CatUsb,
    CatMusic,
    CatCount
};

struct CategoryInfo
{
    const char *resType; // "ResType" of AddResource/DelResource, key under "Resources"
    const char *listKey; // reply key of the list command
    const char *command; // list command
    const char *folder;  // upload folder, empty = no file (typed address)
    const char *label;   // shown on thumbnails
};
const CategoryInfo &categoryInfo(int category);
int categoryFromResType(const QString &resType); // -1 when unknown

struct Resource
{
    QString name;
    QString path;
    int duration = 0; // seconds: videos and music
    int pages = 0;    // Office documents
    QString userName; // web pages
    QString password;
};

struct ResItem
{
    QString name;
    QString path;
};

struct Rect
{
    int left = 0, top = 0, right = 0, bottom = 0; // right and bottom exclusive
    bool isEmpty() const { return right <= left || bottom <= top; }
    bool operator==(const Rect &o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

struct Window
{
    int id = 0;
    int type = 0;
    Rect rect;
    QString name; // types 2, 3, 5, 6, 9
    QString path;
    int videoId = 0;
    QList<ResItem> resList; // types 0, 1, 4
    // playback
    bool playing = true;
    bool muted = false;
    int volume = 50;
    int index = 0;        // current item of resList
    int totalTime = 0;    // seconds, of the current item
    double positionS = 0; // position at `sinceMs`
    qint64 sinceMs = 0;
    int showTime = 10; // live video
    int interval = 10; // pictures
    int effect = 0, fillMode = 0, switchTime = 0;
    int page = 1, pageCount = 0; // Office
    int zoom = 100, scroll = 0;  // web pages
    bool fullScreen = false;
    Rect restoreRect;

    QString displayName() const;
    // A video that has played to its length stands at its end and no longer plays.
    bool atEnd(qint64 nowMs) const;
    bool isPlaying(qint64 nowMs) const;
    int currentTime(qint64 nowMs) const;
    void setPosition(double seconds, qint64 nowMs);
    void setPlaying(bool on, qint64 nowMs);
};

struct Group
{
    QString name;
    int width = 1920, height = 1080, rows = 1, cols = 1;
    QList<int> customWidth, customHeight;
    QList<Window> windows; // stacking order, last = topmost
};

struct Scene
{
    QString name;
    int group = 0;       // index of the group it was saved from
    int screenGroup = 1; // the "ScreenGroup" number it was saved with (folder "Group" + N)
    QList<Window> windows;
};

struct User
{
    QString name;
    QString md5; // 32 lower-case hex digits
    int role = 1;
    QString plain; // known clear password (demo and config users), for the banner only
};

struct Session
{
    QString id;
    QString user;
    int role = 1;
    int family = 0;
};

struct Caption
{
    QString text;
    QString textColor = "FFFFFF", bgColor = "000000";
    int alpha = 255, scrollSpeed = 1, fontSize = 48;
    QString fontName;
    bool show = false;
    int scrGroup = 1;    // the screen group it runs on (1..4), as "ScrGroup" last said
    QList<int> scrRange; // the band's area on that group: left, top, width, height
};

struct MouseState
{
    int x = 0, y = 0, lastType = -1, lastKey = 0, lastModifiers = 0, events = 0;
    bool leftDown = false, otherDown = false; // buttons held down (press seen, release not yet)
    QList<int> keysDown;                      // keys held down, in the order they went down
    QJsonArray recent;                        // last events as received

    // Follows one "MouseKBCtrl" event: the pointer for types 0..6, buttons and keys held.
    void apply(int type, int x, int y, int key, int modifiers);
};

struct SwitchItem
{
    QString name;
    int seconds = 0;
};

class ControllerState
{
public:
    QString name = "Pelmora-Sim";
    QString version = "Pelmora-Sim 1.0.0";
    int language = 0;
    int cpuUsage = 18;
    int scrIndex = 0;
    bool dontUseMainScr = false;
    QList<Group> groups;
    QList<Resource> resources[CatCount];
    QList<QPair<QString, int>> applications; // title, hwnd
    QList<Scene> scenes;
    bool switchRunning = false;
    QList<SwitchItem> switchPlan;
    qint64 switchStartedMs = 0;
    qint64 switchApplied = -1; // the last step of the rotation loaded (0, 1, 2, ... since the start)
    int lastWindowId = 20000;  // ids of windows the controller opens itself (scene loads)
    Caption caption;
    QStringList fonts;
    int musicVolume = 50;
    bool musicPlaying = false;
    QStringList musicList;
    QList<User> users;
    QList<Session> sessions;
    MouseState mouse;

    // Sections present in `json` replace the current ones; absent sections stay.
    void apply(const QJsonObject &json, qint64 nowMs);
    QJsonObject toJson(qint64 nowMs) const;

    Group *group(int index);
    const Group *group(int index) const;
    Window *findWindow(int groupIndex, int id);
    // The window with that id on the current group, else on any other group.
    Window *findWindowAnywhere(int id, int *groupIndex = nullptr);
    Resource *findResource(int category, const QString &name);
    const Resource *findResourceAnyCategory(const QString &name, int *category) const;
    Scene *findScene(const QString &name);
    User *findUser(const QString &name);
    Session *findSession(const QString &id);
    QString appTitle(int hwnd) const; // empty when unknown

    // Restores a scene's windows on the group it was saved from, under new window ids, and
    // makes that group current.
    bool loadScene(const QString &sceneName, qint64 nowMs);
    // Advances a running rotation plan to the scene due at `nowMs`, loading every scene whose
    // turn came since the last call, in order (at most one round). Returns their names.
    QStringList advanceRotation(qint64 nowMs);
    // Milliseconds until the next scene of a running rotation is due; -1 when none runs.
    qint64 msToNextRotation(qint64 nowMs) const;
    // Starts the rotation plan over from its first scene at `nowMs`.
    void restartRotation(qint64 nowMs);
    // Length in seconds of a named video (catalogue, or a stable made-up length).
    int videoLength(const QString &name) const;

    static QJsonObject windowToWire(const Window &w);
    static QJsonObject windowToJson(const Window &w, qint64 nowMs);
    static Window windowFromJson(const QJsonObject &o, qint64 nowMs);
    static QJsonObject groupToWire(const Group &g);
    static QJsonObject rectToJson(const Rect &r);
    static Rect rectFromJson(const QJsonObject &o);
};

QString md5Hex(const QString &password); // MD5 of the Latin-1 bytes, 32 lower-case hex digits
bool isMd5Hex(const QString &text);

} // namespace sim
