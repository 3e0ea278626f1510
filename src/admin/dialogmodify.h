#pragma once

#include "uikit/framelessdialog.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The password change: old password, new password and its confirmation, all masked. OK
// keeps the three texts and accepts; the caller reads them after an Accepted result.
class DialogModify : public FramelessDialog
{
    Q_OBJECT
public:
    explicit DialogModify(QWidget *parent = nullptr);

    QString oldPassword() const { return m_oldPassword; }
    QString newPassword() const { return m_newPassword; }
    QString confirmation() const { return m_confirmation; }

private slots:
    void on_btnOk_clicked();
    void on_btnCancel_clicked();

private:
    void setupUi();
    void retranslateUi();

    QLabel *labelOldPwd = nullptr;
    QLabel *labelNewPwd = nullptr;
    QLabel *labelNewPwd_2 = nullptr;
    QLineEdit *editOldPwd = nullptr;
    QLineEdit *editNewPwd = nullptr;
    QLineEdit *editNewPwd_2 = nullptr;
    QPushButton *btnOk = nullptr;
    QPushButton *btnCancel = nullptr;

    QString m_oldPassword;
    QString m_newPassword;
    QString m_confirmation;
};
