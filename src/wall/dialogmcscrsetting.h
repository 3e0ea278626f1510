#pragma once

#include "uikit/framelessdialog.h"
#include "wall/wallmodel.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Edits how one screen group is split: its name, its split columns and rows, and through
// DialogCustom the individual column widths and row heights. It works on a copy of the
// main window's settings; run it through uikit::Dialogs::exec and, after an Accepted
// result, read the group at chosenIndex(). The group's size in pixels belongs to its
// monitors and is shown, not edited.
//
// Typing a split count divides the size evenly at once (the last column or row takes the
// remainder). OK refuses, with a message, a split count that is not a whole number from 1 to
// the largest count that leaves every monitor 17 pixels, and sizes that do not add up to the
// group's size; the refused group's counts and sizes go back to what they were.
class DialogMCScrSetting : public FramelessDialog
{
    Q_OBJECT
public:
    explicit DialogMCScrSetting(const S_SCR_SETTING &setting, QWidget *parent = nullptr);

    const S_SCR_SETTING &setting() const { return m_setting; }
    // The group OK stored, -1 before.
    int chosenIndex() const { return m_chosenIndex; }
    S_SCR_GROUP chosenGroup() const { return m_setting.groups.value(m_chosenIndex); }

private slots:
    void on_btnOk_clicked();
    // Fills the four edits with the group's values.
    void on_comboScrName_currentIndexChanged(int index);
    void on_btnCustomScrSize_clicked();
    // A valid count splits the width (height) evenly; anything else waits for OK.
    void on_editScrCols_textEdited(QString arg1);
    void on_editScrRows_textEdited(QString arg1);

private:
    void setupUi();
    void retranslateUi();
    S_SCR_GROUP *chosen();
    void fillEdits(int index);
    // Reads both split counts; on a refusal puts the group back as it was and tells why.
    bool readCounts(int *cols, int *rows);
    void restoreGroup(int index);
    void refuse(const QString &message);

    S_SCR_SETTING m_setting;
    const S_SCR_SETTING m_original;
    int m_chosenIndex = -1;
    bool m_building = true;

    QComboBox *comboScrName = nullptr;
    QLineEdit *editHrozPels = nullptr;
    QLineEdit *editVertPels = nullptr;
    QLineEdit *editScrCols = nullptr;
    QLineEdit *editScrRows = nullptr;
    QPushButton *btnCustomScrSize = nullptr;
    QPushButton *btnOk = nullptr;
    QLabel *labelScrName = nullptr;
    QLabel *labelHrozPels = nullptr;
    QLabel *labelVertPels = nullptr;
    QLabel *labelScrCols = nullptr;
    QLabel *labelScrRows = nullptr;
};
