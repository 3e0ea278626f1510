#pragma once

#include "uikit/framelessdialog.h"

#include <QHostAddress>
#include <QList>
#include <QNetworkInterface>
#include <QSet>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QUdpSocket;
class QWidget;

// The connect dialog: the controller's address, port, device family, user name and password,
// and the list of controllers that answered the multicast search started when the dialog is
// built. On OK the entries are kept as the last connection (platform::lastConnectSettings())
// and the dialog accepts; the caller then reads the results below.
class DialogConnect : public FramelessDialog
{
    Q_OBJECT
public:
    // An empty hostIp or userName is taken from the last connection ("192.168.1.250" and
    // "admin" on a first run). lockFamily disables the family choice. Builds the dialog and
    // starts the search; with more than one local IPv4 address it first asks which to use.
    // The search goes out at once when an address was chosen, otherwise as soon as the
    // local host name is resolved, without holding up the dialog, and at the latest after
    // lookupLimitMs().
    // Search::Off builds the form alone, without the search and its socket.
    enum class Search { Network, Off };
    DialogConnect(const QString &hostIp, const QString &userName, const QString &hostName, bool lockFamily,
                  int family, int port, QWidget *parent = nullptr, Search search = Search::Network);
    ~DialogConnect() override;

    // Results, filled by OK.
    QString hostIp() const { return m_hostIp; }
    QString userName() const { return m_userName; }
    QString password() const { return m_password; }
    QString hostName() const { return m_hostName; }
    // The device family code 0-4 of the selected item.
    int family() const { return m_family; }
    // The port field as an integer; 0 when it is not a number.
    int port() const { return m_port; }
    bool autoLogin() const { return m_autoLogin; }

    // How long the search waits for the local host name to be resolved before it announces
    // an interface's address instead (2000 ms).
    static int lookupLimitMs();
    static void setLookupLimitMs(int ms);

    // The discovery list holds at most this many entries; later new answers are dropped (the
    // address can still be typed).
    static constexpr int kMaxHostEntries = 256;
    // Datagrams handled in one turn of the event loop; the rest wait for the next turn, so a
    // flood of answers cannot hold the dialog.
    static constexpr int kDatagramsPerTurn = 64;

public slots:
    // Adds one list entry per new "ResponseToFind" answer; anything else is dropped.
    // Handles kDatagramsPerTurn datagrams and leaves the rest to the next turn.
    void readPendingDatagrams();
    // Puts the entry's address and port into the address and port fields.
    void on_listHosts_itemClicked(QListWidgetItem *item);
    void on_checkAutoLogin_clicked(bool checked);
    // Takes the results, stores them as the last connection and accepts.
    void on_btnOk_clicked();

private:
    void setupUi();
    void startSearch();
    void localHostLookedUp(const QList<QHostAddress> &addresses);
    // Sends the one "FindViewTop" of this opening; later calls do nothing.
    void sendSearch(const QString &localIp);

    QLineEdit *editHostIp = nullptr;
    QLineEdit *editPortNo = nullptr;
    QLineEdit *editHostName = nullptr;
    QComboBox *comboBoxType = nullptr;
    QLineEdit *editUsername = nullptr;
    QLineEdit *editUserPwd = nullptr;
    QListWidget *listHosts = nullptr;
    QCheckBox *checkAutoLogin = nullptr;
    QPushButton *btnOk = nullptr;

    QUdpSocket *discoverySocket = nullptr;
    QNetworkInterface m_searchInterface;
    bool m_joined = false;
    QList<QHostAddress> m_localAddresses;
    bool m_searchSent = false;
    QSet<QString> m_entryTexts;

    QString m_hostIp;
    QString m_userName;
    QString m_password;
    QString m_hostName;
    int m_family = 0;
    int m_port = 0;
    bool m_autoLogin = false;
};
