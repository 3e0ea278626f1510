#include "wall/echoplayer.h"

#include "wall/vlcechoplayer.h"
#ifdef PELMORA_ECHO_GSTREAMER
#include "wall/gstechoplayer.h"
#endif

#include <QByteArray>

namespace wall {

std::unique_ptr<EchoPlayer> createEchoPlayer(EchoFrameQueue &frames)
{
    QByteArray choice = qgetenv("PELMORA_ECHO_PLAYER");
    if (choice.isEmpty())
        choice = PELMORA_ECHO_DEFAULT_PLAYER;
    if (choice == "vlc")
        return std::make_unique<VlcEchoPlayer>(frames);
#ifdef PELMORA_ECHO_GSTREAMER
    if (choice == "gstreamer")
        return std::make_unique<GstEchoPlayer>(frames);
#endif
    return nullptr;
}

} // namespace wall
