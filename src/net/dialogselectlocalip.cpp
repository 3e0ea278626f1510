#include "dialogselectlocalip.h"

#include "uikit/iconhelper.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kFormWidth = 320;
constexpr int kFormHeight = 300;
} // namespace

DialogSelectLocalIp::DialogSelectLocalIp(const QList<QHostAddress> &addresses, QWidget *parent)
    : FramelessDialog(parent)
{
    setupUi();
    fixScaledSize(kFormWidth, kFormHeight);
    connect(btnMenu_Close, &QPushButton::clicked, this, &QDialog::reject);
    IconHelper::instance()->setIcon(lab_Ico, QChar(0xF109), 10);
    IconHelper::instance()->setIcon(btnMenu_Close, QChar(0xF00D), 10);

    for (const QHostAddress &address : addresses) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            listWidget->addItem(address.toString());
    }
    if (listWidget->count() > 0)
        listWidget->setCurrentRow(0);
}

void DialogSelectLocalIp::on_btnOk_clicked()
{
    m_selectedIndex = listWidget->currentRow();
    accept();
}

void DialogSelectLocalIp::setupUi()
{
    QVBoxLayout *root = buildFrame(QStringLiteral("DialogSelectLocalIp"), kFormWidth, kFormHeight);

    auto *body = new QVBoxLayout;
    body->setContentsMargins(12, 10, 12, 10);
    body->setSpacing(8);

    labelInfo = new QLabel(this);
    labelInfo->setObjectName(QStringLiteral("labelInfo"));
    labelInfo->setWordWrap(true);
    body->addWidget(labelInfo);

    listWidget = new QListWidget(this);
    listWidget->setObjectName(QStringLiteral("listWidget"));
    body->addWidget(listWidget, 1);

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    btnOk = new QPushButton(this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setMinimumSize(80, 28);
    btnOk->setDefault(true);
    buttonRow->addWidget(btnOk);
    body->addLayout(buttonRow);
    root->addLayout(body, 1);

    lab_Title->setText(QCoreApplication::translate("DialogSelectLocalIp", "选择本地IP地址"));
    setWindowTitle(lab_Title->text());
    btnMenu_Close->setToolTip(QCoreApplication::translate("DialogSelectLocalIp", "关闭"));
    labelInfo->setText(QCoreApplication::translate("DialogSelectLocalIp",
                                                   "查找到本机有多个网卡，\n请选择您要使用的Ip地址："));
    btnOk->setText(QCoreApplication::translate("DialogSelectLocalIp", "确定"));

    QMetaObject::connectSlotsByName(this);
}
