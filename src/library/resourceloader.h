#pragma once

#include "library/catalogue.h"

#include <QByteArray>
#include <QString>
#include <functional>

class Transport;

namespace library {

// Reads the category lists from the controller into a ResourceCatalogue: one GET command per
// category, then each entry's thumbnail from "/snapshot/" + name, one after another. Every
// request waits in a nested event loop, so a list can be shown while it is still filling.
class ResourceLoader
{
public:
    ResourceLoader(Transport *transport, ResourceCatalogue *catalogue);

    // Wait cursor on (true) and back to the arrow (false) around each list load.
    std::function<void(bool busy)> busyCursor;
    // The video list was loaded (the video strip is rebuilt from it).
    std::function<void()> videoListLoaded;
    // Runs before the music list is read (the background music state is queried first).
    std::function<void()> beforeAudioList;

    // Clears the category's list and reads it anew. False when the command failed (the
    // list then stays empty; nothing is shown).
    bool load(Loader loader);

    bool getVideoList() { return load(Loader::Video); }
    bool getUSBVideoList() { return load(Loader::Usb); }
    bool getPicList() { return load(Loader::Picture); }
    bool getDocList() { return load(Loader::Doc); }
    bool getWebList() { return load(Loader::Web); }
    bool getPptList() { return load(Loader::Office); }
    bool getNetVideoList() { return load(Loader::NetVideo); }
    bool getAudioList() { return load(Loader::Audio); }

    // Brings the application windows of the other-documents list in line with the
    // controller's "WndList"; true when the list changed. A failed or refused query
    // changes nothing.
    bool getSysWindows();
    // The preview picture of an application window: the whole reply body; empty on failure.
    QByteArray getWndPreview(int hwnd);
    // The thumbnail of an entry; false when the fetch failed.
    bool fetchSnapshot(const QString &name, QByteArray *bytes);

private:
    Transport *m_transport;
    ResourceCatalogue *m_catalogue;
};

} // namespace library
