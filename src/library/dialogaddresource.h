#pragma once

#include "uikit/framelessdialog.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Asks for a new resource: its name and path (a local file, picked with the file chooser,
// or a typed address for web pages and network video), and for web pages a user name and
// password. Constructed with the dialog type of the category (0 video, 1 picture, 2 web
// page, 3 Office, 4 network video, 5 other files, 12 music). Run it through
// uikit::Dialogs::exec and read the four texts after an Accepted result.
class DialogAddResource : public FramelessDialog
{
    Q_OBJECT
public:
    explicit DialogAddResource(int type, QWidget *parent = nullptr);

    int type() const { return m_type; }
    // The texts as typed, without trimming; empty until OK was pressed.
    QString name() const { return m_name; }
    QString path() const { return m_path; }
    QString userName() const { return m_userName; }
    QString password() const { return m_password; }

private slots:
    void on_btnSelRes_clicked();
    void on_btnOk_clicked();
    void on_btnCancel_clicked();

private:
    void setupUi();
    void retranslateUi();
    // Refuses executables and Office documents picked as other files; true when taken.
    bool acceptOtherFile(const QString &path);

    int m_type;
    QString m_name;
    QString m_path;
    QString m_userName;
    QString m_password;

    QLabel *labelName = nullptr;
    QLineEdit *lineEditName = nullptr;
    QLabel *labelPath = nullptr;
    QLineEdit *lineEditPath = nullptr;
    QPushButton *btnSelRes = nullptr;
    QLabel *labelUserName = nullptr;
    QLineEdit *lineEditUserName = nullptr;
    QLabel *labelPwd = nullptr;
    QLineEdit *lineEditPwd = nullptr;
    QPushButton *btnOk = nullptr;
    QPushButton *btnCancel = nullptr;
};
