#include "dialogconnect.h"

#include "net/dialogselectlocalip.h"
#include "net/discovery.h"
#include "platform/platformpaths.h"
#include "uikit/dialogs.h"
#include "uikit/iconhelper.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QNetworkDatagram>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QUdpSocket>
#include <QVBoxLayout>
#include <iterator>

namespace {
constexpr int kFormWidth = 420;
constexpr int kFormHeight = 520;
int g_lookupLimitMs = 2000;

// Device family codes in the order of the combo box; the code is the item data.
const char *const kFamilies[] = {
    QT_TRANSLATE_NOOP("DialogConnect", "拼接处理器"),
    QT_TRANSLATE_NOOP("DialogConnect", "解码矩阵"),
    QT_TRANSLATE_NOOP("DialogConnect", "媒体展示系统"),
    QT_TRANSLATE_NOOP("DialogConnect", "嵌入式媒体展示系统"),
    QT_TRANSLATE_NOOP("DialogConnect", "无缝矩阵"),
};

QLabel *fieldLabel(QWidget *parent, const char *objectName, const QString &text)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(objectName));
    label->setText(text);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QLineEdit *lineEdit(QWidget *parent, const char *objectName)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(objectName));
    edit->setMinimumHeight(26);
    return edit;
}
} // namespace

DialogConnect::DialogConnect(const QString &hostIp, const QString &userName, const QString &hostName,
                             bool lockFamily, int family, int port, QWidget *parent, Search search)
    : FramelessDialog(parent)
{
    setupUi();
    fixScaledSize(kFormWidth, kFormHeight);
    connect(btnMenu_Close, &QPushButton::clicked, this, &QDialog::reject);
    IconHelper::instance()->setIcon(lab_Ico, QChar(0xF0C1), 10);
    IconHelper::instance()->setIcon(btnMenu_Close, QChar(0xF00D), 10);

    QString host = hostIp;
    QString user = userName;
    {
        const auto lastConnect = platform::lastConnectSettings();
        if (host.isEmpty())
            host = lastConnect->value(QStringLiteral("HostIp"), QStringLiteral("192.168.1.250")).toString();
        if (user.isEmpty())
            user = lastConnect->value(QStringLiteral("UserName"), QStringLiteral("admin")).toString();
    }

    if (lockFamily)
        comboBoxType->setEnabled(false);

    editHostIp->setText(host);
    editUsername->setText(user);
    editPortNo->setText(QString::number(port));
    editHostName->setText(hostName);

    comboBoxType->setView(new QListView(comboBoxType));
    for (int code = 0; code < int(std::size(kFamilies)); ++code)
        comboBoxType->addItem(tr(kFamilies[code]), code);
    const int familyIndex = comboBoxType->findData(family);
    if (familyIndex >= 0)
        comboBoxType->setCurrentIndex(familyIndex);

    if (search == Search::Network)
        startSearch();
}

DialogConnect::~DialogConnect()
{
    if (!discoverySocket)
        return;
    if (m_joined)
        discoverySocket->leaveMulticastGroup(discovery::groupAddress(), m_searchInterface);
    discoverySocket->close();
    delete discoverySocket;
}

int DialogConnect::lookupLimitMs()
{
    return g_lookupLimitMs;
}

void DialogConnect::setLookupLimitMs(int ms)
{
    g_lookupLimitMs = ms;
}

// Binds the search socket, joins the group and starts the one "FindViewTop" of this opening.
// Failures are silent: the list then simply stays empty.
void DialogConnect::startSearch()
{
    const QList<QHostAddress> candidates = discovery::localBindCandidates();
    QHostAddress chosen;
    if (candidates.size() > 1) {
        // Not shown yet, this dialog has no place on the screen: the question is centred
        // over the window that opens it.
        DialogSelectLocalIp select(candidates, parentWidget() ? parentWidget() : this);
        if (uikit::Dialogs::exec(&select) == QDialog::Accepted)
            chosen = candidates.value(select.selectedIndex());
    }

    const discovery::SearchRoute route = discovery::searchRoute(chosen, candidates);
    m_searchInterface = route.multicastInterface;
    discoverySocket = new QUdpSocket(this);
    discoverySocket->setObjectName(QStringLiteral("discoverySocket"));
    discovery::openSearchSocket(*discoverySocket, route, &m_joined);
    connect(discoverySocket, &QUdpSocket::readyRead, this, &DialogConnect::readPendingDatagrams);

    if (!chosen.isNull()) {
        sendSearch(chosen.toString());
        return;
    }
    // A resolver that does not answer must not freeze the dialog: the name is looked up in
    // the background, and an interface's address is announced when that takes too long.
    m_localAddresses = candidates;
    connect(discovery::HostNameLookup::start(), &discovery::HostNameLookup::finished, this,
            &DialogConnect::localHostLookedUp);
    QTimer::singleShot(g_lookupLimitMs, this,
                       [this] { sendSearch(discovery::announcedAddress({}, m_localAddresses)); });
}

void DialogConnect::localHostLookedUp(const QList<QHostAddress> &addresses)
{
    sendSearch(discovery::announcedAddress(addresses, m_localAddresses));
}

void DialogConnect::sendSearch(const QString &localIp)
{
    if (m_searchSent)
        return;
    m_searchSent = true;
    discoverySocket->writeDatagram(discovery::buildFindViewTop(localIp), discovery::groupAddress(),
                                   discovery::kPort);
}

void DialogConnect::readPendingDatagrams()
{
    // One batch per turn of the event loop: whoever keeps sending must not keep the dialog
    // from its other work. What is left announces itself again with the next readyRead
    // (every datagram read re-arms the socket's notifier; reading nowhere else keeps each
    // readyRead matched by a read, which the socket needs to announce the next one).
    for (int handled = 0; handled < kDatagramsPerTurn && discoverySocket->hasPendingDatagrams(); ++handled) {
        const QNetworkDatagram datagram = discoverySocket->receiveDatagram();
        if (m_entryTexts.size() >= kMaxHostEntries)
            continue;
        const auto answer = discovery::parseResponseToFind(datagram.data());
        if (!answer)
            continue;
        const QString text = discovery::entryText(*answer);
        if (m_entryTexts.contains(text))
            continue;
        m_entryTexts.insert(text);
        auto *item = new QListWidgetItem(text, listHosts);
        item->setData(Qt::UserRole, answer->port);
    }
}

void DialogConnect::on_listHosts_itemClicked(QListWidgetItem *item)
{
    if (!item)
        return;
    const QString text = item->text();
    editHostIp->setText(text.left(text.indexOf(QLatin1Char(' '))));
    editPortNo->setText(QString::number(item->data(Qt::UserRole).toInt()));
}

void DialogConnect::on_checkAutoLogin_clicked(bool checked)
{
    // The choice is read when OK is pressed.
    Q_UNUSED(checked)
}

void DialogConnect::on_btnOk_clicked()
{
    m_userName = editUsername->text();
    m_password = editUserPwd->text();
    m_family = comboBoxType->currentData().toInt();
    m_hostIp = editHostIp->text();
    m_port = editPortNo->text().toInt();
    m_hostName = editHostName->text();

    {
        const auto lastConnect = platform::lastConnectSettings();
        m_autoLogin = checkAutoLogin->isChecked();
        if (m_autoLogin)
            lastConnect->setValue(QStringLiteral("Password"), m_password);
        lastConnect->setValue(QStringLiteral("AutoLogin"), m_autoLogin);
        lastConnect->setValue(QStringLiteral("HostIp"), m_hostIp);
        lastConnect->setValue(QStringLiteral("UserName"), m_userName);
        lastConnect->setValue(QStringLiteral("Family"), m_family);
        lastConnect->setValue(QStringLiteral("PortNo"), m_port);
        lastConnect->setValue(QStringLiteral("HostName"), m_hostName);
    }

    accept();
}

void DialogConnect::setupUi()
{
    QVBoxLayout *root = buildFrame(QStringLiteral("DialogConnect"), kFormWidth, kFormHeight);

    auto *body = new QVBoxLayout;
    body->setContentsMargins(16, 12, 16, 12);
    body->setSpacing(10);

    auto *fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->setVerticalSpacing(8);
    editHostIp = lineEdit(this, "editHostIp");
    editPortNo = lineEdit(this, "editPortNo");
    editHostName = lineEdit(this, "editHostName");
    comboBoxType = new QComboBox(this);
    comboBoxType->setObjectName(QStringLiteral("comboBoxType"));
    comboBoxType->setMinimumHeight(26);
    editUsername = lineEdit(this, "editUsername");
    editUserPwd = lineEdit(this, "editUserPwd");
    editUserPwd->setEchoMode(QLineEdit::Password);

    int row = 0;
    fields->addWidget(fieldLabel(this, "labelHostIp", tr("主机IP地址：")), row, 0);
    fields->addWidget(editHostIp, row++, 1);
    fields->addWidget(fieldLabel(this, "labelPortNo", tr("端口号：")), row, 0);
    fields->addWidget(editPortNo, row++, 1);
    fields->addWidget(fieldLabel(this, "labelHostName", tr("主机名称：")), row, 0);
    fields->addWidget(editHostName, row++, 1);
    fields->addWidget(fieldLabel(this, "labelType", tr("设备类型：")), row, 0);
    fields->addWidget(comboBoxType, row++, 1);
    fields->addWidget(fieldLabel(this, "labelUsername", tr("用户名：")), row, 0);
    fields->addWidget(editUsername, row++, 1);
    fields->addWidget(fieldLabel(this, "labelUserPwd", tr("密码：")), row, 0);
    fields->addWidget(editUserPwd, row++, 1);
    fields->setColumnStretch(1, 1);
    body->addLayout(fields);

    listHosts = new QListWidget(this);
    listHosts->setObjectName(QStringLiteral("listHosts"));
    body->addWidget(listHosts, 1);

    auto *buttonRow = new QHBoxLayout;
    checkAutoLogin = new QCheckBox(this);
    checkAutoLogin->setObjectName(QStringLiteral("checkAutoLogin"));
    buttonRow->addWidget(checkAutoLogin);
    buttonRow->addStretch(1);
    btnOk = new QPushButton(this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setMinimumSize(80, 28);
    btnOk->setDefault(true);
    buttonRow->addWidget(btnOk);
    body->addLayout(buttonRow);
    root->addLayout(body, 1);

    lab_Title->setText(tr("连接主机"));
    setWindowTitle(lab_Title->text());
    btnMenu_Close->setToolTip(tr("关闭"));
    checkAutoLogin->setText(tr("自动登录"));
    btnOk->setText(tr("确定"));

    QMetaObject::connectSlotsByName(this);
}
