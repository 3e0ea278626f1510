#include "net/loginreply.h"
#include "testmain.h"

#include <QJsonDocument>
#include <QJsonObject>

class TestLoginReply : public QObject
{
    Q_OBJECT

private slots:
    void role_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("role");

        QTest::newRow("missing: administrator") << QByteArray("{}") << 0;
        QTest::newRow("number 0") << QByteArray(R"({"Role": 0})") << 0;
        QTest::newRow("number 1") << QByteArray(R"({"Role": 1})") << 1;
        QTest::newRow("number 2") << QByteArray(R"({"Role": 2})") << 2;
        QTest::newRow("whole number written as fraction") << QByteArray(R"({"Role": 1.0})") << 1;
        QTest::newRow("numeric string 1") << QByteArray(R"({"Role": "1"})") << 1;
        QTest::newRow("numeric string 0") << QByteArray(R"({"Role": "0"})") << 0;
        QTest::newRow("numeric string with spaces") << QByteArray(R"({"Role": " 2 "})") << 2;

        // Everything else must not give the administrator's functions.
        QTest::newRow("other text") << QByteArray(R"({"Role": "operator"})") << 2;
        QTest::newRow("empty text") << QByteArray(R"({"Role": ""})") << 2;
        QTest::newRow("fraction") << QByteArray(R"({"Role": 0.5})") << 2;
        QTest::newRow("fraction as text") << QByteArray(R"({"Role": "1.5"})") << 2;
        QTest::newRow("negative") << QByteArray(R"({"Role": -1})") << 2;
        QTest::newRow("unknown role") << QByteArray(R"({"Role": 7})") << 2;
        QTest::newRow("unknown role as text") << QByteArray(R"({"Role": "-1"})") << 2;
        QTest::newRow("null") << QByteArray(R"({"Role": null})") << 2;
        QTest::newRow("false") << QByteArray(R"({"Role": false})") << 2;
        QTest::newRow("array") << QByteArray(R"({"Role": [1]})") << 2;
        QTest::newRow("object") << QByteArray(R"({"Role": {"Id": 1}})") << 2;
        QTest::newRow("key is case-sensitive") << QByteArray(R"({"role": 2})") << 0;
    }

    void role()
    {
        QFETCH(QByteArray, reply);
        QFETCH(int, role);
        QJsonParseError error{};
        const QJsonObject object = QJsonDocument::fromJson(reply, &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(roleFromReply(object), role);
    }
};

PELMORA_TEST_MAIN(TestLoginReply)
#include "test_loginreply.moc"
