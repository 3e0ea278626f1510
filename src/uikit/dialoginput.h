#pragma once

#include "framelessdialog.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Asks for one line of text. Run it through uikit::Dialogs::exec and read text() after an
// Accepted result.
class DialogInput : public FramelessDialog
{
    Q_OBJECT
public:
    DialogInput(const QString &prompt, const QString &initialText, bool showPicture,
                QWidget *parent = nullptr);

    // The text accepted with OK; empty until then.
    QString text() const { return m_text; }

private slots:
    // Keeps the edit's text and accepts.
    void on_btnOk_clicked();

private:
    void setupUi();

    QLabel *labelPicture = nullptr;
    QLabel *labelInfo = nullptr;
    QLineEdit *lineEdit = nullptr;
    QPushButton *btnOk = nullptr;

    QString m_text;
};
