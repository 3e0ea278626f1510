// The translation sources against the code: every text the console asks a catalogue for has
// a finished translation in each of them, nothing else lingers there, and no Chinese text
// reaches the screen without passing through a catalogue. What the code asks for is what
// lupdate finds in src/ at the time of the test, so a new text without its translations
// fails here.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>
#include <algorithm>

namespace {

struct Message
{
    QString context;
    QString source;
    QString translation;
    QString type; // "", "unfinished", "obsolete" or "vanished"
};

using Key = QPair<QString, QString>;

QString keyText(const Key &key)
{
    return key.first + QStringLiteral(" / ") +
           QString(key.second).replace(QLatin1Char('\n'), QLatin1String("\\n"));
}

QList<Message> readTs(const QString &fileName, QString *error)
{
    QList<Message> messages;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read ") + fileName;
        return messages;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            message = Message{context, QString(), QString(), QString()};
        } else if (xml.name() == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            message.type = xml.attributes().value(QLatin1String("type")).toString();
            message.translation = xml.readElementText();
            messages.append(message);
        }
    }
    if (xml.hasError())
        *error = fileName + QStringLiteral(": ") + xml.errorString();
    return messages;
}

bool hasChinese(const QString &text)
{
    static const QRegularExpression cjk(
        QStringLiteral("[\\x{3000}-\\x{303f}\\x{3400}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    return text.contains(cjk);
}

// The string literals of a C++ source with the line they start on; comments are skipped.
QList<QPair<int, QString>> stringLiterals(const QString &code)
{
    QList<QPair<int, QString>> literals;
    int line = 1;
    auto startsAt = [&](int i, char first, char second) {
        return code.at(i) == QLatin1Char(first) && i + 1 < code.size() &&
               code.at(i + 1) == QLatin1Char(second);
    };
    for (int i = 0; i < code.size(); ++i) {
        const QChar c = code.at(i);
        if (c == QLatin1Char('\n')) {
            ++line;
        } else if (startsAt(i, '/', '/')) {
            while (i < code.size() && code.at(i) != QLatin1Char('\n'))
                ++i;
            --i;
        } else if (startsAt(i, '/', '*')) {
            int end = code.indexOf(QLatin1String("*/"), i + 2);
            if (end < 0)
                end = code.size();
            for (; i < end; ++i)
                line += code.at(i) == QLatin1Char('\n') ? 1 : 0;
            ++i;
        } else if (c == QLatin1Char('\'')) {
            for (++i; i < code.size() && code.at(i) != QLatin1Char('\''); ++i) {
                if (code.at(i) == QLatin1Char('\\'))
                    ++i;
            }
        } else if (c == QLatin1Char('"')) {
            QString text;
            const int start = line;
            for (++i; i < code.size() && code.at(i) != QLatin1Char('"'); ++i) {
                if (code.at(i) == QLatin1Char('\\') && i + 1 < code.size()) {
                    const QChar escaped = code.at(++i);
                    text += escaped == QLatin1Char('n') ? QChar(QLatin1Char('\n')) : escaped;
                } else {
                    text += code.at(i);
                }
            }
            literals.append({start, text});
        }
    }
    return literals;
}

QString listOf(const QStringList &items)
{
    QStringList shown = items.mid(0, 15);
    if (items.size() > shown.size())
        shown.append(QStringLiteral("... and %1 more").arg(items.size() - shown.size()));
    return QStringLiteral("\n  ") + shown.join(QStringLiteral("\n  "));
}

} // namespace

class TestCatalogues : public QObject
{
    Q_OBJECT

    // (context, source) of every text the code asks for.
    QSet<Key> m_asked;
    QStringList m_sources;

    QList<Message> catalogue(const QString &name)
    {
        QString error;
        const QList<Message> messages =
            readTs(QStringLiteral(PELMORA_TRANSLATIONS_DIR "/") + name + QStringLiteral(".ts"), &error);
        if (!error.isEmpty())
            qWarning("%s", qPrintable(error));
        return messages;
    }

    static void addCatalogueRows()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"lang_English", "lang_fanti", "lang_Chinese"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

private slots:
    void initTestCase()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString fresh = dir.filePath(QStringLiteral("asked.ts"));
        QProcess lupdate;
        lupdate.setProcessChannelMode(QProcess::MergedChannels);
        lupdate.start(QStringLiteral(PELMORA_LUPDATE),
                      {QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"),
                       QStringLiteral("-recursive"), QStringLiteral(PELMORA_SOURCE_DIR),
                       QStringLiteral("-ts"), fresh});
        QVERIFY2(lupdate.waitForFinished(60000), "lupdate did not finish");
        const QString output = QString::fromLocal8Bit(lupdate.readAll());
        QVERIFY2(lupdate.exitStatus() == QProcess::NormalExit && lupdate.exitCode() == 0, qPrintable(output));
        // A text lupdate cannot read (a tr() it cannot place, say) would be missed below.
        QVERIFY2(output.trimmed().isEmpty(), qPrintable(output));
        QString error;
        const QList<Message> asked = readTs(fresh, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        for (const Message &message : asked) {
            m_asked.insert({message.context, message.source});
            m_sources.append(message.source);
        }
        // The console asks for some two hundred texts; far fewer means lupdate read nothing.
        QVERIFY2(m_asked.size() > 150, qPrintable(QString::number(m_asked.size())));
    }

    // Every text the code asks for is there, finished, with a translation.
    void everyTextIsTranslated_data() { addCatalogueRows(); }
    void everyTextIsTranslated()
    {
        QFETCH(QString, name);
        QHash<Key, Message> entries;
        for (const Message &message : catalogue(name))
            entries.insert({message.context, message.source}, message);
        QStringList missing;
        for (const Key &key : qAsConst(m_asked)) {
            const auto it = entries.constFind(key);
            if (it == entries.constEnd())
                missing.append(keyText(key) + QStringLiteral(" (missing: run the pelmora_lupdate target)"));
            else if (!it->type.isEmpty() || it->translation.isEmpty())
                missing.append(keyText(key) + QStringLiteral(" (") +
                               (it->type.isEmpty() ? QStringLiteral("empty") : it->type) + QLatin1Char(')'));
        }
        missing.sort();
        QVERIFY2(missing.isEmpty(), qPrintable(name + QStringLiteral(" lacks") + listOf(missing)));
    }

    // Nothing the code no longer asks for stays behind (obsolete, vanished or stray entries).
    void nothingElseIsKept_data() { addCatalogueRows(); }
    void nothingElseIsKept()
    {
        QFETCH(QString, name);
        QStringList stray;
        for (const Message &message : catalogue(name)) {
            const Key key{message.context, message.source};
            if (!m_asked.contains(key) || message.type == QLatin1String("obsolete") ||
                message.type == QLatin1String("vanished"))
                stray.append(keyText(key));
        }
        QVERIFY2(stray.isEmpty(), qPrintable(name + QStringLiteral(" keeps") + listOf(stray)));
    }

    // A translation keeps what the code relies on: the arguments it fills in, and the
    // trailing blank of a text that something is appended to.
    void translationsKeepArgumentsAndJoins_data() { addCatalogueRows(); }
    void translationsKeepArgumentsAndJoins()
    {
        QFETCH(QString, name);
        static const QRegularExpression argument(QStringLiteral("%[1-9]"));
        auto arguments = [](const QString &text) {
            QStringList found;
            auto it = argument.globalMatch(text);
            while (it.hasNext())
                found.append(it.next().captured());
            found.sort();
            return found;
        };
        QStringList broken;
        for (const Message &message : catalogue(name)) {
            if (message.translation.isEmpty())
                continue;
            if (arguments(message.source) != arguments(message.translation))
                broken.append(keyText({message.context, message.source}) + QStringLiteral(": arguments"));
            if (message.source.endsWith(QLatin1Char(' ')) && !message.translation.endsWith(QLatin1Char(' ')))
                broken.append(keyText({message.context, message.source}) +
                              QStringLiteral(": trailing blank"));
        }
        QVERIFY2(broken.isEmpty(), qPrintable(name + listOf(broken)));
    }

    // The English catalogue is English throughout.
    void englishHasNoChinese()
    {
        QStringList chinese;
        for (const Message &message : catalogue(QStringLiteral("lang_English"))) {
            if (hasChinese(message.translation))
                chinese.append(keyText({message.context, message.source}) + QStringLiteral(" -> ") +
                               message.translation);
        }
        QVERIFY2(chinese.isEmpty(), qPrintable(listOf(chinese)));
    }

    // A Chinese text written in the code is one the catalogues know: no raw text reaches the
    // screen in Chinese whatever the language. The exceptions are texts that are not shown
    // as such: font family names and the language menu's own entries.
    void noChineseTextBypassesTheCatalogues()
    {
        const QSet<QString> exempt = {QStringLiteral("微软雅黑"), QStringLiteral("简体中文"),
                                      QStringLiteral("繁體中文")};
        QStringList raw;
        QDirIterator files(QStringLiteral(PELMORA_SOURCE_DIR),
                           {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                           QDirIterator::Subdirectories);
        int scanned = 0;
        while (files.hasNext()) {
            const QString path = files.next();
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            ++scanned;
            const auto literals = stringLiterals(QString::fromUtf8(file.readAll()));
            for (const auto &literal : literals) {
                if (!hasChinese(literal.second) || exempt.contains(literal.second))
                    continue;
                // Literals written side by side are one text to lupdate.
                const bool known =
                    std::any_of(m_sources.cbegin(), m_sources.cend(),
                                [&](const QString &source) { return source.contains(literal.second); });
                if (!known)
                    raw.append(QStringLiteral("%1:%2: %3")
                                   .arg(QDir(QStringLiteral(PELMORA_SOURCE_DIR)).relativeFilePath(path))
                                   .arg(literal.first)
                                   .arg(literal.second));
            }
        }
        QVERIFY(scanned > 50);
        QVERIFY2(raw.isEmpty(), qPrintable(QStringLiteral("shown without a catalogue:") + listOf(raw)));
    }
};

QTEST_GUILESS_MAIN(TestCatalogues)
#include "test_catalogues.moc"
