#include "backgroundmusic.h"

#include "net/transport.h"

#include <QJsonArray>
#include <QJsonObject>

namespace library {

BackgroundMusic::BackgroundMusic(Transport *transport) : m_transport(transport) {}

bool BackgroundMusic::getBgMusicState(State *state)
{
    QByteArray body;
    if (!m_transport->sendGetCommand(QStringLiteral("GetBgMusicState"), true, &body))
        return false;
    const std::optional<State> result = stateFromReply(Transport::parseObject(body));
    if (!result)
        return false;
    playlist = result->musicList;
    if (state)
        *state = *result;
    return true;
}

std::optional<BackgroundMusic::State> BackgroundMusic::stateFromReply(const QJsonObject &reply)
{
    if (reply.value(QStringLiteral("Status")).toString() != QLatin1String("Ok"))
        return std::nullopt;
    State result;
    result.volume = reply.value(QStringLiteral("Volume")).toInt(0);
    result.playing = reply.value(QStringLiteral("IsPlaying")).toInt(0) != 0;
    const QJsonArray names = reply.value(QStringLiteral("MusicList")).toArray();
    for (const QJsonValue &name : names)
        result.musicList.append(name.toString());
    return result;
}

QJsonObject BackgroundMusic::playRequest(const QStringList *musicList)
{
    QJsonObject request{{QStringLiteral("Command"), QStringLiteral("PlayBgMusic")}};
    if (musicList) {
        request.insert(QStringLiteral("Flag"), 1);
        request.insert(QStringLiteral("MusicList"), QJsonArray::fromStringList(*musicList));
    } else {
        request.insert(QStringLiteral("Flag"), 0);
    }
    return request;
}

QJsonObject BackgroundMusic::volumeRequest(int volume)
{
    return {{QStringLiteral("Command"), QStringLiteral("SetBgMusicVolume")},
            {QStringLiteral("Volume"), volume}};
}

bool BackgroundMusic::playBgMusic(const QStringList *musicList)
{
    return m_transport->postCommand(playRequest(musicList), QStringLiteral("PlayBgMusic"));
}

bool BackgroundMusic::setBgMusicVolume(int volume)
{
    return m_transport->postCommand(volumeRequest(volume), QStringLiteral("SetBgMusicVolume"));
}

} // namespace library
