#pragma once

#include "admin/users.h"
#include "uikit/framelessdialog.h"

#include <QList>
#include <QPersistentModelIndex>

class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStandardItemModel;

// The user manager: the controller's users in a list, and the fields of a new user. Add and
// Delete announce their request (onAddUser, onDelUser); the result comes back through
// on_retUserManage, which shows one box and updates the list.
class DialogUserManager : public FramelessDialog
{
    Q_OBJECT
public:
    DialogUserManager(const QList<S_USER_LIST> &users, QWidget *parent = nullptr);

    // The outcome of the addition or deletion just announced: the list gains the user
    // sent or loses the row chosen, and one information or error box tells the operator.
    void on_retUserManage(bool addUser, bool success, QString message);

    QListView *userList() const { return listView; }
    QStringList userNames() const;

signals:
    void onDelUser(QString userName);
    void onAddUser(S_USER_LIST newUser);

private slots:
    void on_btnAddUser_clicked();
    void on_btnDelUser_clicked();

private:
    void setupUi();
    void retranslateUi();
    // Announces one request (`user` for an addition, else a deletion of `userName`) under
    // the wait cursor; neither button starts another until its result is in.
    void runRequest(const S_USER_LIST *user, const QString &userName, const QPersistentModelIndex &row);

    QListView *listView = nullptr;
    QStandardItemModel *m_model = nullptr;
    QLabel *labelName = nullptr;
    QLabel *labelRole = nullptr;
    QLabel *labelPwd = nullptr;
    QLabel *labelPwd_2 = nullptr;
    QLineEdit *editName = nullptr;
    QComboBox *comboRole = nullptr;
    QLineEdit *editPwd = nullptr;
    QLineEdit *editPwd_2 = nullptr;
    QPushButton *btnDelUser = nullptr;
    QPushButton *btnAddUser = nullptr;

    // The request on its way: what its result applies to, whatever the operator does
    // meanwhile.
    struct Pending
    {
        bool active = false;
        QString userName;
        QPersistentModelIndex row;
    } m_pending;
};
