#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <optional>

class Transport;

namespace library {

// The controller's background music, without widgets: its state query, play and stop, the
// volume, and the background playlist the console keeps (the names last played or reported
// playing). The playlist lives as long as the console; a disconnect keeps it.
class BackgroundMusic
{
public:
    explicit BackgroundMusic(Transport *transport);

    struct State
    {
        int volume = 0;
        bool playing = false;
        QStringList musicList;
    };

    // "GetBgMusicState". On success the playlist becomes the reply's "MusicList" and `state`
    // is filled; a failed or refused query changes nothing and returns false.
    bool getBgMusicState(State *state);
    // "PlayBgMusic": Flag 1 with the names, or Flag 0 (stop) for null.
    bool playBgMusic(const QStringList *musicList);
    // "SetBgMusicVolume" with 0..100.
    bool setBgMusicVolume(int volume);

    QStringList playlist;

    // The state a "GetBgMusicState" reply reports; nothing unless its "Status" is "Ok".
    static std::optional<State> stateFromReply(const QJsonObject &reply);
    static QJsonObject playRequest(const QStringList *musicList);
    static QJsonObject volumeRequest(int volume);

private:
    Transport *m_transport;
};

} // namespace library
