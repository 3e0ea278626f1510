#pragma once

#include "uikit/framelessdialog.h"

#include <QHostAddress>
#include <QList>

class QLabel;
class QListWidget;
class QPushButton;
class QWidget;

// Asks which of the computer's IPv4 addresses the controller search should use. One row per
// IPv4 address of the given list, in list order; the first row starts current. After the
// dialog was accepted, selectedIndex() is the chosen row.
class DialogSelectLocalIp : public FramelessDialog
{
    Q_OBJECT
public:
    explicit DialogSelectLocalIp(const QList<QHostAddress> &addresses, QWidget *parent = nullptr);

    // The row chosen with OK; -1 until then.
    int selectedIndex() const { return m_selectedIndex; }

public slots:
    // Keeps the current row as the selected index and accepts.
    void on_btnOk_clicked();

private:
    void setupUi();

    QLabel *labelInfo = nullptr;
    QListWidget *listWidget = nullptr;
    QPushButton *btnOk = nullptr;

    int m_selectedIndex = -1;
};
