#pragma once

#include "library/catalogue.h"

#include <QByteArray>
#include <QPointer>
#include <QString>

class QObject;
class Transport;

namespace library {

// Reads the category lists from the controller into a ResourceCatalogue: one GET command per
// category, then each entry's thumbnail from "/snapshot/" + name, one after another. Every
// request waits in a nested event loop, so a list can be shown while it is still filling.
// Each list load shows the wait cursor over `window`; a load whose session ended while it
// waited stops where it is.
class ResourceLoader
{
public:
    ResourceLoader(Transport *transport, ResourceCatalogue *catalogue, QObject *window = nullptr);

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
    QPointer<QObject> m_window;
};

} // namespace library
