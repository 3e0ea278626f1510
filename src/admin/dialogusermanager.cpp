#include "admin/dialogusermanager.h"

#include "net/transport.h"

#include "uikit/dialogs.h"
#include "uikit/iconhelper.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QStandardItemModel>
#include <QVBoxLayout>

namespace {
constexpr int kFormWidth = 560;
constexpr int kFormHeight = 340;

} // namespace

DialogUserManager::DialogUserManager(const QList<S_USER_LIST> &users, QWidget *parent)
    : FramelessDialog(parent)
{
    setupUi();
    retranslateUi();
    fixScaledSize(kFormWidth, kFormHeight);
    connect(btnMenu_Close, &QPushButton::clicked, this, &QDialog::reject);
    IconHelper::instance()->setIcon(lab_Ico, QChar(0xF0C0), 10);       // users
    IconHelper::instance()->setIcon(btnMenu_Close, QChar(0xF00D), 10); // close

    // "GetAllUsers" gives no roles, so every listed user shows the administrator icon.
    for (const S_USER_LIST &user : users) {
        auto *item = new QStandardItem(user.userName);
        item->setIcon(QIcon(user.role == 0 ? QStringLiteral(":/images/admin.png")
                                           : QStringLiteral(":/images/User.png")));
        item->setEditable(false);
        m_model->appendRow(item);
    }
    // The list has no current user until the operator chooses one: Delete never picks the
    // first row by itself.
    editName->setFocus();
}

void DialogUserManager::setupUi()
{
    QVBoxLayout *root = buildFrame(QStringLiteral("DialogUserManager"), kFormWidth, kFormHeight);

    auto *body = new QWidget(this);
    body->setObjectName(QStringLiteral("widget_main"));
    auto *bodyLayout = new QHBoxLayout(body);
    bodyLayout->setContentsMargins(12, 12, 12, 12);
    bodyLayout->setSpacing(14);

    listView = new QListView(body);
    listView->setObjectName(QStringLiteral("listView"));
    listView->setIconSize(QSize(24, 24));
    listView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_model = new QStandardItemModel(listView);
    listView->setModel(m_model);
    bodyLayout->addWidget(listView, 1);

    auto *form = new QGridLayout;
    form->setHorizontalSpacing(8);
    form->setVerticalSpacing(10);
    auto addLabel = [&](int row, const char *object) {
        auto *label = new QLabel(body);
        label->setObjectName(QLatin1String(object));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        form->addWidget(label, row, 0);
        return label;
    };
    auto addEdit = [&](int row, const char *object, bool masked) {
        auto *edit = new QLineEdit(body);
        edit->setObjectName(QLatin1String(object));
        edit->setMinimumHeight(26);
        if (masked)
            edit->setEchoMode(QLineEdit::Password);
        form->addWidget(edit, row, 1);
        return edit;
    };
    labelName = addLabel(0, "labelName");
    editName = addEdit(0, "editName", false);
    labelRole = addLabel(1, "labelRole");
    comboRole = new QComboBox(body);
    comboRole->setObjectName(QStringLiteral("comboRole"));
    comboRole->setMinimumHeight(26);
    form->addWidget(comboRole, 1, 1);
    labelPwd = addLabel(2, "labelPwd");
    editPwd = addEdit(2, "editPwd", true);
    labelPwd_2 = addLabel(3, "labelPwd_2");
    editPwd_2 = addEdit(3, "editPwd_2", true);
    form->setRowStretch(4, 1);

    auto *buttons = new QHBoxLayout;
    btnDelUser = new QPushButton(body);
    btnDelUser->setObjectName(QStringLiteral("btnDelUser"));
    btnDelUser->setIcon(QIcon(QStringLiteral(":/images/User-Del.png")));
    // Enter in a field never deletes anybody: it adds the user being typed.
    btnDelUser->setAutoDefault(false);
    btnAddUser = new QPushButton(body);
    btnAddUser->setObjectName(QStringLiteral("btnAddUser"));
    btnAddUser->setIcon(QIcon(QStringLiteral(":/images/User_add.png")));
    btnAddUser->setDefault(true);
    buttons->addWidget(btnDelUser);
    buttons->addStretch(1);
    buttons->addWidget(btnAddUser);
    form->addLayout(buttons, 5, 0, 1, 2);
    bodyLayout->addLayout(form, 1);
    root->addWidget(body, 1);

    QMetaObject::connectSlotsByName(this);
}

void DialogUserManager::retranslateUi()
{
    lab_Title->setText(tr("用户管理"));
    setWindowTitle(lab_Title->text());
    btnMenu_Close->setToolTip(tr("关闭"));
    labelName->setText(tr("用户名："));
    labelRole->setText(tr("角色："));
    labelPwd->setText(tr("密码："));
    labelPwd_2->setText(tr("确认密码："));
    btnDelUser->setText(tr("删除用户"));
    btnAddUser->setText(tr("添加新用户"));
    const int role = qMax(0, comboRole->currentIndex());
    comboRole->clear();
    comboRole->addItems(admin::roleTexts());
    comboRole->setCurrentIndex(role);
}

QStringList DialogUserManager::userNames() const
{
    QStringList names;
    for (int row = 0; row < m_model->rowCount(); ++row)
        names.append(m_model->item(row)->text());
    return names;
}

void DialogUserManager::on_btnAddUser_clicked()
{
    if (m_pending.active)
        return;
    const QString problem = admin::newUserProblem(editName->text(), editPwd->text(), editPwd_2->text());
    if (!problem.isEmpty()) {
        uikit::Dialogs::showInfo(problem);
        return;
    }
    const S_USER_LIST user = admin::newUser(editName->text(), editPwd->text(), comboRole->currentIndex());
    runRequest(&user, user.userName, QPersistentModelIndex());
}

void DialogUserManager::on_btnDelUser_clicked()
{
    if (m_pending.active)
        return;
    const QModelIndex current = listView->currentIndex();
    const QString name = current.isValid() ? current.data(Qt::DisplayRole).toString() : QString();
    runRequest(nullptr, name, QPersistentModelIndex(current));
}

void DialogUserManager::runRequest(const S_USER_LIST *user, const QString &userName,
                                   const QPersistentModelIndex &row)
{
    // The buttons stay enabled (disabling the focused one would hand the focus to the list,
    // which then makes its first user current); a click while the request waits is ignored.
    m_pending.active = true;
    m_pending.userName = userName;
    m_pending.row = row;
    setCursor(Qt::WaitCursor);
    QPointer<DialogUserManager> self(this);
    if (user)
        emit onAddUser(*user);
    else
        emit onDelUser(userName);
    if (!self)
        return;
    setCursor(Qt::ArrowCursor);
    m_pending = Pending();
}

void DialogUserManager::on_retUserManage(bool addUser, bool success, QString message)
{
    // A result without a request of this dialog applies to what the dialog shows now.
    const QString name = m_pending.active ? m_pending.userName : editName->text();
    const QPersistentModelIndex row =
        m_pending.active ? m_pending.row : QPersistentModelIndex(listView->currentIndex());
    if (addUser && success) {
        m_model->appendRow(new QStandardItem(name));
        uikit::Dialogs::showInfo(tr("添加用户成功！"));
    } else if (addUser) {
        uikit::Dialogs::showError(Transport::boxText(tr("添加用户失败！错误原因：") + message));
    } else if (success) {
        if (row.isValid())
            m_model->removeRow(row.row());
        // No neighbour becomes the next one to go: Delete asks no question.
        listView->selectionModel()->clear();
        uikit::Dialogs::showInfo(tr("删除用户成功！"));
    } else {
        uikit::Dialogs::showError(Transport::boxText(tr("删除用户失败！错误原因：") + message));
    }
}
