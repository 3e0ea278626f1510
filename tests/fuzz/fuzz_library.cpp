// The resource list replies of every loader, the application windows ("GetSysWindows") and
// the background music state ("GetBgMusicState").
#include "fuzzinput.h"

#include "library/backgroundmusic.h"
#include "library/catalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QJsonObject reply = fuzz::replyOf(data, size);

    using library::Loader;
    for (Loader loader : {Loader::Video, Loader::Usb, Loader::Picture, Loader::Doc, Loader::Web,
                          Loader::Office, Loader::NetVideo, Loader::Audio}) {
        for (library::ParsedEntry &entry : library::parseListReply(loader, reply))
            library::applyThumbnail(loader, entry.resource, false, QByteArray());
    }

    ResourceList docs;
    for (const library::ParsedEntry &entry : library::parseListReply(Loader::Doc, reply))
        docs.append(entry.resource);
    const QList<library::AppWindow> windows = library::parseWndList(reply);
    library::mergeApplicationWindows(docs, windows, [](int) { return QByteArray(); });

    library::BackgroundMusic::stateFromReply(reply);
    return 0;
}
