#pragma once

#include <QFrame>
#include <QList>

// The independent-output view shown in place of the wall canvas. It holds one tile per
// independent output in a layout; this console creates no tiles, so the view stays empty,
// but it keeps the container behaviour (show, hide and clear the tiles).
class MatrixScreen : public QFrame
{
    Q_OBJECT
public:
    explicit MatrixScreen(QWidget *parent = nullptr);
    ~MatrixScreen() override;

    // Shows every tile when `show` is true, hides every tile otherwise.
    void showDisplays(bool show);
    // Removes every tile from the layout and deletes it, then deletes the layout.
    void clearDisplays();

    int displayCount() const { return m_displays.size(); }

signals:
    void onMatrixCtrl(int portId, int videoId);
    void onSetDisplayNameS(int portId, QString name);
    void onAudioCtrl(int portId, bool audioOn);

public slots:
    void onDisplayPressed(QString portName);
    void onDisplayDroped(int portId, int videoId);
    void onSetDisplayName(int portId, QString name);
    void on_audioCtrl(int portId, bool audioOn);

private:
    QList<QWidget *> m_displays; // the output tiles, in layout order
};
