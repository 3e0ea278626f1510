#pragma once

#include "control/inputevents.h"

#include <QDialog>
#include <QSize>

class QLabel;

// The full-screen capture window of the remote mouse and keyboard. While it is open it holds
// the keyboard and mouse grabs, so every move, button and key of the console becomes an
// onMouseKBCtrl() announcement with the pointer in the 0..10000 grid. Esc closes it (accept)
// and is not announced. Run it with exec(); it shows itself maximized when it is created.
class DialogRemoteMouseCtrl : public QDialog
{
    Q_OBJECT
public:
    // Scales for the primary screen as it is now.
    explicit DialogRemoteMouseCtrl(QWidget *parent = nullptr);
    // Scales for a screen of `screenSize` pixels.
    DialogRemoteMouseCtrl(QWidget *parent, const QSize &screenSize);
    ~DialogRemoteMouseCtrl() override;

    control::GridScale scale() const { return m_scale; }

signals:
    void onMouseKBCtrl(S_KB_MOUSE_PARAM param);

protected:
    // Installed on the dialog itself: turns its input into announcements.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void setupUi();
    void grabInput();
    void releaseInput();

    QLabel *labelRemoteTip = nullptr;
    control::GridScale m_scale;
    control::PointerDeadBand m_deadBand;
    bool m_grabbing = false;
};
