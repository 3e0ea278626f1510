#include "resourceloader.h"

#include "net/operation.h"
#include "net/transport.h"

namespace library {

ResourceLoader::ResourceLoader(Transport *transport, ResourceCatalogue *catalogue, QObject *window)
    : m_transport(transport), m_catalogue(catalogue), m_window(window)
{}

bool ResourceLoader::fetchSnapshot(const QString &name, QByteArray *bytes)
{
    return m_transport->fetchPath(snapshotPath(name), bytes);
}

bool ResourceLoader::load(Loader loader)
{
    const LoaderSpec &row = loaderSpec(loader);
    net::Operation operation(m_window, *m_transport->session());
    m_catalogue->restart(row.category);
    const int generation = m_catalogue->generation(row.category);
    ResourceList &entries = *m_catalogue->list(row.category);

    QByteArray body;
    const bool ok = m_transport->sendGetCommand(QLatin1String(row.command), true, &body);
    // A newer load or a disconnect emptied the list while this one waited, or the session
    // ended: the list is no longer this load's to fill.
    auto superseded = [&] {
        return m_catalogue->generation(row.category) != generation || !operation.sessionCurrent();
    };
    if (ok && !superseded()) {
        const QList<ParsedEntry> parsed = parseListReply(loader, Transport::parseObject(body));
        for (const ParsedEntry &entry : parsed) {
            S_RESOURCE resource = entry.resource;
            if (entry.fetchThumbnail) {
                QByteArray bytes;
                const bool fetched = fetchSnapshot(resource.name, &bytes);
                if (superseded())
                    break;
                applyThumbnail(loader, resource, fetched, bytes);
            }
            entries.append(resource);
        }
    }
    return ok;
}

bool ResourceLoader::getSysWindows()
{
    QByteArray body;
    if (!m_transport->sendGetCommand(QStringLiteral("GetSysWindows"), true, &body))
        return false;
    const QJsonObject reply = Transport::parseObject(body);
    // A refused query has no window list: it must not empty the application windows.
    if (reply.value(QStringLiteral("Status")).toString() != QLatin1String("Ok"))
        return false;
    return mergeApplicationWindows(m_catalogue->docResources, parseWndList(reply),
                                   [this](int hwnd) { return getWndPreview(hwnd); });
}

QByteArray ResourceLoader::getWndPreview(int hwnd)
{
    QByteArray body;
    if (!m_transport->sendGetCommand(QStringLiteral("GetWndPreview&Hwnd=") + QString::number(hwnd), true,
                                     &body))
        return QByteArray();
    return body;
}

} // namespace library
