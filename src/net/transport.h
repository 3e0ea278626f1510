#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QUrl>
#include <functional>

class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;
struct SessionValues;

// The HTTP command transport to the controller. Commands are GETs of
// "/index2.html?Command=<text>" or POSTs of indented JSON to "/index2.html", always with the
// "session_id" header. Synchronous calls wait in a nested event loop for at most
// timeoutMs() (10000 ms); asynchronous replies reach dispatchReply().
class Transport : public QObject
{
    Q_OBJECT
public:
    using BoxFunction = std::function<void(const QString &)>;

    Transport(QNetworkAccessManager *manager, SessionValues *session, QObject *parent = nullptr);

    // The request limit; only tests change it.
    void setTimeoutMs(int ms) { m_timeoutMs = ms; }
    int timeoutMs() const { return m_timeoutMs; }

    // How failures reach the operator (modal error and information boxes).
    void setBoxes(BoxFunction error, BoxFunction info);

    QUrl commandUrl(const QString &commandText) const;
    QUrl postUrl() const;
    QUrl pathUrl(const QString &path) const;
    QNetworkRequest commandRequest(const QUrl &url) const;

    bool sendGetCommand(const QString &commandText, bool sync, QByteArray *reply);
    bool sendPostCommand(const QByteArray &body, bool sync, QByteArray *reply);
    bool postCommand(const QJsonObject &request, const QString &command);
    bool checkReply(const QByteArray &body, const QString &command);
    bool checkStatus(const QJsonObject &reply, const QString &successText);
    bool fetchPath(const QString &path, QByteArray *body);
    bool downloadToFile(const QString &path, const QString &localFile);
    void onReplyFinished(QNetworkReply *reply);
    void dispatchReply(const QByteArray &body);

    // JSON helpers shared by every command sender.
    static QByteArray toBody(const QJsonObject &object);
    static QJsonObject parseObject(const QByteArray &body);

    SessionValues *session() const { return m_session; }

signals:
    // An answer to the connection poll ("GetCpuUsage") arrived.
    void pollAnswered();

private:
    enum class WaitResult { Finished, TimedOut };
    WaitResult waitForReply(QNetworkReply *reply, bool limited);
    bool sendSync(QNetworkReply *reply, QByteArray *out, bool showNetworkError);
    void showError(const QString &text) const;
    void showInfo(const QString &text) const;

    QNetworkAccessManager *m_manager;
    SessionValues *m_session;
    int m_timeoutMs = 10000;
    BoxFunction m_error;
    BoxFunction m_info;
};
