#pragma once

#include "framelessdialog.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

// The console's styled message box: information (type 0), question (1) or error (2).
// It deletes itself when closed. Shown through uikit::Dialogs, never directly.
class frmMessageBox : public FramelessDialog
{
    Q_OBJECT
public:
    explicit frmMessageBox(QWidget *parent = nullptr);

    // Sets picture, title and buttons for `type` (other types leave them as they are),
    // then the message text.
    void setMessage(const QString &text, int type);

private slots:
    // Ends the modal run with Accepted, then closes the box.
    void on_btnOk_clicked();

private:
    void setupUi();

    QGroupBox *groupBoxMsg = nullptr;
    QLabel *labIcoMain = nullptr;
    QLabel *labInfo = nullptr;
    QPushButton *btnOk = nullptr;
    QPushButton *btnCancel = nullptr;
};
