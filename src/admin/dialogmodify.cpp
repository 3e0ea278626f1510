#include "admin/dialogmodify.h"

#include "uikit/iconhelper.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kFormWidth = 380;
constexpr int kFormHeight = 230;

} // namespace

DialogModify::DialogModify(QWidget *parent) : FramelessDialog(parent)
{
    setupUi();
    retranslateUi();
    fixScaledSize(kFormWidth, kFormHeight);
    connect(btnMenu_Close, &QPushButton::clicked, this, &QDialog::reject);
    IconHelper::instance()->setIcon(lab_Ico, QChar(0xF084), 10);       // key
    IconHelper::instance()->setIcon(btnMenu_Close, QChar(0xF00D), 10); // close
}

void DialogModify::setupUi()
{
    QVBoxLayout *root = buildFrame(QStringLiteral("DialogModify"), kFormWidth, kFormHeight);

    auto *body = new QWidget(this);
    body->setObjectName(QStringLiteral("widget_main"));
    auto *grid = new QGridLayout(body);
    grid->setContentsMargins(16, 12, 16, 12);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);
    auto addRow = [&](int row, const char *labelObject, QLabel **label, const char *editObject,
                      QLineEdit **edit) {
        *label = new QLabel(body);
        (*label)->setObjectName(QLatin1String(labelObject));
        (*label)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(*label, row, 0);
        *edit = new QLineEdit(body);
        (*edit)->setObjectName(QLatin1String(editObject));
        (*edit)->setMinimumHeight(26);
        (*edit)->setEchoMode(QLineEdit::Password);
        grid->addWidget(*edit, row, 1);
    };
    addRow(0, "labelOldPwd", &labelOldPwd, "editOldPwd", &editOldPwd);
    addRow(1, "labelNewPwd", &labelNewPwd, "editNewPwd", &editNewPwd);
    addRow(2, "labelNewPwd_2", &labelNewPwd_2, "editNewPwd_2", &editNewPwd_2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    buttons->addStretch(1);
    btnOk = new QPushButton(body);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setMinimumSize(80, 28);
    btnOk->setDefault(true);
    buttons->addWidget(btnOk);
    btnCancel = new QPushButton(body);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setMinimumSize(80, 28);
    btnCancel->setAutoDefault(false);
    buttons->addWidget(btnCancel);
    grid->addLayout(buttons, 4, 0, 1, 2);
    root->addWidget(body, 1);

    QMetaObject::connectSlotsByName(this);
}

void DialogModify::retranslateUi()
{
    lab_Title->setText(tr("修改密码"));
    setWindowTitle(lab_Title->text());
    btnMenu_Close->setToolTip(tr("关闭"));
    labelOldPwd->setText(tr("输入旧密码："));
    labelNewPwd->setText(tr("输入新密码："));
    labelNewPwd_2->setText(tr("再输入新密码："));
    btnOk->setText(tr("确定"));
    btnCancel->setText(tr("取消"));
}

void DialogModify::on_btnOk_clicked()
{
    m_oldPassword = editOldPwd->text();
    m_newPassword = editNewPwd->text();
    m_confirmation = editNewPwd_2->text();
    accept();
}

void DialogModify::on_btnCancel_clicked()
{
    reject();
}
