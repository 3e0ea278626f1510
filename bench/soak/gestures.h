#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <random>

class MainWindow2;
class QTimer;
class QWidget;
class WindowWidget;
namespace sim {
class Simulator;
}

namespace soak {

// What the soak did so far.
struct Counts
{
    qint64 gestures = 0;
    qint64 faults = 0;
    qint64 boxes = 0;
    qint64 logins = 0;
    qint64 nested = 0; // gestures made while the console waited
    QHash<QString, qint64> byGesture;
    QHash<QString, qint64> byFault;
};

// An operator at the console: one seeded random gesture at a time on the real main window,
// with seeded random faults at the controller. Every box, question, input dialog and file
// chooser the console raises is answered here through the dialog seam.
class Gestures
{
public:
    Gestures(MainWindow2 &window, sim::Simulator &controller, const QString &address, quint32 seed);
    ~Gestures();

    // Also gestures while the console waits for the controller (inside its nested event
    // loops, as an operator's clicks are served there), one level deep.
    void setReentrant(bool on);

    // One gesture (logging in again first when the session has ended); now and then a fault
    // for the next few requests of a command the console has been sending.
    void step();
    const Counts &counts() const { return m_counts; }
    // The controller's request log holds every request: it is read for fault targets and
    // emptied, so that the simulator does not grow with the run.
    void harvestCommands();

private:
    int pick(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(m_random); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(m_random) < p; }
    void count(const char *gesture);
    void gesture();
    void nestedGesture();
    void answerRandomly();
    void collectBoxes();
    void injectFault();
    bool ensureLoggedIn();

    void openWindow();
    void moveWindow();
    void resizeWindow();
    void closeWindow();
    void selectWindow();
    void selectResources();
    void control();
    void switchGroup();
    void saveScene();
    void loadScene();
    void removeScene();
    void caption();
    void upload();
    void removeUpload();
    void echo();
    void toolButtons();
    void relogin();

    WindowWidget *randomItem();
    void drag(QWidget *item, const QPoint &from, const QPoint &to, bool hoverFirst);
    void click(QWidget *widget);
    void doubleClickItem(QWidget *strip, int row);

    MainWindow2 &m_window;
    sim::Simulator &m_controller;
    QString m_address;
    std::mt19937 m_random;
    Counts m_counts;
    QStringList m_targets;
    QSet<QString> m_seen;
    QSet<QString> m_commands;
    QTemporaryDir m_files;
    QTimer *m_nested = nullptr;
    bool m_inNested = false;
};

} // namespace soak
