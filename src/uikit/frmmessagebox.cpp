#include "frmmessagebox.h"

#include "iconhelper.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kFormWidth = 400;
constexpr int kFormHeight = 200;
} // namespace

frmMessageBox::frmMessageBox(QWidget *parent) : FramelessDialog(parent)
{
    setupUi();
    // The box keeps the size of its form.
    setFixedSize(kFormWidth, kFormHeight);
    setAttribute(Qt::WA_DeleteOnClose);

    IconHelper::instance()->setIcon(lab_Ico, QChar(0xF015), 10);
    IconHelper::instance()->setIcon(btnMenu_Close, QChar(0xF00D), 10);

    connect(btnMenu_Close, &QPushButton::clicked, this, &QWidget::close);
    connect(btnCancel, &QPushButton::clicked, this, &QWidget::close);
}

void frmMessageBox::setupUi()
{
    QVBoxLayout *root = buildFrame(QStringLiteral("frmMessageBox"), kFormWidth, kFormHeight);

    groupBoxMsg = new QGroupBox(this);
    groupBoxMsg->setObjectName(QStringLiteral("groupBoxMsg"));
    auto *body = new QVBoxLayout(groupBoxMsg);
    body->setContentsMargins(12, 12, 12, 8);

    auto *messageRow = new QHBoxLayout;
    messageRow->setSpacing(12);
    labIcoMain = new QLabel(groupBoxMsg);
    labIcoMain->setObjectName(QStringLiteral("labIcoMain"));
    labIcoMain->setFixedSize(48, 48);
    messageRow->addWidget(labIcoMain, 0, Qt::AlignVCenter);
    labInfo = new QLabel(groupBoxMsg);
    labInfo->setObjectName(QStringLiteral("labInfo"));
    labInfo->setWordWrap(true);
    labInfo->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    messageRow->addWidget(labInfo, 1);
    body->addLayout(messageRow, 1);

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    btnOk = new QPushButton(groupBoxMsg);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setMinimumSize(80, 28);
    btnOk->setDefault(true);
    buttonRow->addWidget(btnOk);
    btnCancel = new QPushButton(groupBoxMsg);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setMinimumSize(80, 28);
    buttonRow->addWidget(btnCancel);
    body->addLayout(buttonRow);
    root->addWidget(groupBoxMsg, 1);

    btnMenu_Close->setToolTip(QCoreApplication::translate("frmMessageBox", "关闭"));
    labInfo->setText(QCoreApplication::translate("frmMessageBox", "确定要删除吗?"));
    btnOk->setText(QCoreApplication::translate("frmMessageBox", "确定"));
    btnCancel->setText(QCoreApplication::translate("frmMessageBox", "取消"));

    QMetaObject::connectSlotsByName(this);
}

void frmMessageBox::setMessage(const QString &text, int type)
{
    const char *picture = nullptr;
    const char *title = nullptr;
    bool cancelVisible = false;
    switch (type) {
    case 0:
        picture = "border-image: url(:/images/Info2.png);";
        title = QT_TRANSLATE_NOOP("frmMessageBox", "提示");
        break;
    case 1:
        picture = "border-image: url(:/images/question.png);";
        title = QT_TRANSLATE_NOOP("frmMessageBox", "询问");
        cancelVisible = true;
        break;
    case 2:
        picture = "border-image: url(:/images/error.png);";
        title = QT_TRANSLATE_NOOP("frmMessageBox", "错误");
        break;
    default:
        break;
    }
    if (picture) {
        labIcoMain->setStyleSheet(QString::fromLatin1(picture));
        lab_Title->setText(QCoreApplication::translate("frmMessageBox", title));
        setWindowTitle(lab_Title->text());
        btnCancel->setVisible(cancelVisible);
    }
    labInfo->setText(text);
}

void frmMessageBox::on_btnOk_clicked()
{
    done(QDialog::Accepted);
    close();
}
