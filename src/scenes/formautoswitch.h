#pragma once

#include "scenes/rotationplan.h"

#include <QWidget>

class ImageWidget;
class QLabel;
class QListWidgetItem;
class QPushButton;
class QSpinBox;
class QTableWidget;

// The scene rotation panel beside the scene strip: the plan table (scene, seconds) that
// follows the clicks on the strip, the interval that new rows get, moving rows up and down,
// and the start/stop button. Starting and stopping are announced with onStartQuickSwitch();
// the one who sends the plan to the controller answers a failure with setRunning().
class FormAutoSwitch : public QWidget
{
    Q_OBJECT
public:
    explicit FormAutoSwitch(QWidget *parent = nullptr);

    // The scene strip whose clicks build the plan (set once by the main window).
    void setModalList(ImageWidget *modalList);

    // A click on a scene of the strip: toggles its check box and its row in the plan.
    void on_modalItemClicked(QListWidgetItem *item);
    // Select all (true) / deselect all (false) of the scene category: every scene of the
    // strip ends checked and in the plan once, or unchecked and out of it.
    void setAllChecked(bool checked);
    // The table rows as a plan, in table order.
    void collectPlan(SwitchPlan &plan) const;
    // Rebuilds the table from `plan` after scenes were deleted: rows whose scene is still in
    // the strip, their scenes checked and all others unchecked; `plan` becomes the table.
    void setPlan(bool running, SwitchPlan &plan);
    // The end of a session: stops a running rotation (announced as a stop) and empties the
    // table.
    void stopAndClear();
    // Re-sets every text of the panel (after a language switch).
    void retranslateUi();

    // The running state: button text, the strip usable only while stopped, the flag.
    void setRunning(bool running);
    bool isRunning() const { return m_running; }
    // "PlanStarted" of the registry: a daily plan runs on the controller, which blocks start.
    bool dailyPlanStarted() const { return m_dailyPlan; }

    scenes::PlanRows rows() const;
    void setRows(const scenes::PlanRows &rows);

    QTableWidget *listAutoSwitch = nullptr;
    QSpinBox *spinBoxQuick = nullptr;
    QPushButton *btnQuick = nullptr;
    QPushButton *btnModalUp = nullptr;
    QPushButton *btnModalDown = nullptr;
    QLabel *labelTitle = nullptr;
    QLabel *labelInterval = nullptr;

signals:
    // Start (true) or stop (false) of a rotation; `switchTime` is the interval box's value.
    void onStartQuickSwitch(int switchTime, bool isStart);

private:
    void setupUi();
    void on_btnQuick_clicked();
    void on_btnModalUp_clicked() { moveSelectedRow(-1); }
    void on_btnModalDown_clicked() { moveSelectedRow(+1); }
    void on_spinBoxQuick_valueChanged(int value);
    void moveSelectedRow(int delta);

    ImageWidget *m_modalList = nullptr;
    bool m_running = false;
    bool m_dailyPlan = false;
};
