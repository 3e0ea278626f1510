#pragma once

#include "control/captiongate.h"
#include "control/osdinfo.h"

#include <QTimer>
#include <QWidget>

class QComboBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSlider;

// The caption panel of the caption category: writes, starts, changes and stops the one
// scrolling caption of the wall. It keeps its own copy of the settings and announces every
// change for the controller with onSetOsd (the change mask says which fields are news) and
// a stop with onStopOsd; the main window sends them.
//
// While the caption runs, colour, speed, transparency, font and size changes go out at
// once. Changes the program itself makes while loading settings (setFontList,
// setCaptionLists, setOsdInfo) are not sent back: changes within one second of a load are
// ignored. A dragged transparency slider sends at most one value per 200 ms and its
// release the final one.
class FormCaption : public QWidget
{
    Q_OBJECT
public:
    explicit FormCaption(QWidget *parent = nullptr);
    ~FormCaption() override;

    // --- what the main window calls
    // Fills the font list with the controller's fonts, in order.
    void setFontList(const QStringList &fonts);
    // Fills the speed and size lists and selects the stored speed, font, size and alpha.
    void setCaptionLists();
    // Puts the controller's caption into the panel (the speed only when it is one of the
    // list's); a running caption can be changed and stopped from here.
    void setOsdInfo(const OSD_INFO &info);
    // The session ended: not running, Start usable again once a login enables the panel.
    void resetCaption();
    // The texts of the active language; the lists and colour boards are built anew.
    void retranslateUi();

    bool isRunning() const { return m_running; }
    // The clock of the load guard and the transparency gate (tests put their own in place;
    // it must outlive the panel). Both rules start afresh.
    void setClock(const caption::Clock &clock);

    // The form's widgets, named like their objects.
    QPlainTextEdit *textCaption = nullptr;
    QPushButton *btnStartOsd = nullptr;
    QPushButton *btnStopOsd = nullptr;
    QComboBox *comboBox = nullptr; // speed
    QSlider *horizontalSlider = nullptr;
    QLabel *labelBgColor = nullptr;
    QPushButton *btnBtColor = nullptr;
    QLabel *labelTextColor = nullptr;
    QPushButton *btnTextColor = nullptr;
    QComboBox *comboFontSize = nullptr;
    QComboBox *comboFontName = nullptr;
    // The two colour boards (pop-up menus, rebuilt with the texts).
    QMenu *textColorBoard() const { return m_textBoard; }
    QMenu *bgColorBoard() const { return m_bgBoard; }

signals:
    // A caption change for the controller: the fields of `info` named by `flag` (bits of
    // caption::Change; caption::ChangeAll starts the caption).
    void onSetOsd(const OSD_INFO &info, int flag);
    // Stop the caption.
    void onStopOsd();

private:
    void setupUi();
    void applyTexts();
    QMenu *buildColorBoard(bool textBoard);
    void rebuildColorBoards();
    void styleColorLabel(QLabel *label, const QColor &colour);
    void openBoard(QMenu *board, QPushButton *button);

    void on_btnStartOsd_clicked();
    void on_btnStopOsd_clicked();
    void on_comboBox_currentIndexChanged(int index);
    void on_horizontalSlider_valueChanged(int value);
    void on_horizontalSlider_sliderReleased();
    void on_comboFontName_currentIndexChanged(int index);
    void on_comboFontSize_currentIndexChanged(int index);
    void on_btnTextColor_clicked();
    void on_btnBtColor_clicked();
    void OnColorChanged(const QColor &colour);
    void OnBgColorChanged(const QColor &colour);
    // A transparency value the gate held back while the slider was not being dragged.
    void sendHeldAlpha();
    void sendAlpha(int value);
    void announce(int flag);
    // The text editor and the font lists, which a start locks.
    void setEditingEnabled(bool enabled);

    OSD_INFO m_settings;
    bool m_running = false;
    caption::CaptionGate m_gate;
    QTimer m_heldAlpha;
    QMenu *m_textBoard = nullptr;
    QMenu *m_bgBoard = nullptr;
    QLabel *m_fontLabel = nullptr;
    QLabel *m_sizeLabel = nullptr;
    QLabel *m_speedLabel = nullptr;
    QLabel *m_alphaLabel = nullptr;
    QLabel *m_textColorTitle = nullptr;
    QLabel *m_bgColorTitle = nullptr;
};
