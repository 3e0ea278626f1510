#include "dialogs.h"

#include "frmmessagebox.h"
#include "nestedwait.h"

#include <QDialog>
#include <QFileDialog>
#include <QQueue>

namespace uikit {

namespace {
struct SeamState
{
    bool testMode = false;
    QQueue<int> answers;
    QQueue<std::function<int(QDialog *)>> handlers;
    QQueue<QString> fileNames;
    QList<ShownBox> shown;
};

SeamState &seam()
{
    static SeamState state;
    return state;
}

class DialogSink : public MessageSink
{
public:
    void showError(const QString &text) override { Dialogs::showError(text); }
    void showInfo(const QString &text) override { Dialogs::showInfo(text); }
};

int nextAnswer(int fallback)
{
    return seam().answers.isEmpty() ? fallback : seam().answers.dequeue();
}

int runBox(BoxType type, const QString &text)
{
    if (seam().testMode) {
        seam().shown.append({type, text});
        return type == BoxType::Question ? nextAnswer(QDialog::Rejected) : QDialog::Accepted;
    }
    auto *box = new frmMessageBox(nullptr);
    box->setMessage(text, static_cast<int>(type));
    WaitScope wait;
    return box->exec();
}
} // namespace

void Dialogs::showInfo(const QString &text)
{
    runBox(BoxType::Info, text);
}

void Dialogs::showError(const QString &text)
{
    runBox(BoxType::Error, text);
}

bool Dialogs::askQuestion(const QString &text)
{
    return runBox(BoxType::Question, text) == QDialog::Accepted;
}

int Dialogs::exec(QDialog *dialog)
{
    if (seam().testMode) {
        if (!seam().handlers.isEmpty())
            return seam().handlers.dequeue()(dialog);
        return nextAnswer(QDialog::Rejected);
    }
    WaitScope wait;
    return dialog->exec();
}

QString Dialogs::getOpenFileName(QWidget *parent, const QString &caption, const QString &filter)
{
    if (seam().testMode)
        return seam().fileNames.isEmpty() ? QString() : seam().fileNames.dequeue();
    WaitScope wait;
    return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
}

MessageSink &Dialogs::sink()
{
    static DialogSink sink;
    return sink;
}

void Dialogs::setTestMode(bool on)
{
    seam().testMode = on;
}

bool Dialogs::testMode()
{
    return seam().testMode;
}

void Dialogs::setNextAnswer(int result)
{
    seam().answers.enqueue(result);
}

void Dialogs::setNextDialogHandler(std::function<int(QDialog *)> handler)
{
    seam().handlers.enqueue(std::move(handler));
}

void Dialogs::setNextFileName(const QString &fileName)
{
    seam().fileNames.enqueue(fileName);
}

QList<ShownBox> Dialogs::shownBoxes()
{
    return seam().shown;
}

void Dialogs::clearShownBoxes()
{
    seam().shown.clear();
}

void Dialogs::reset()
{
    const bool testMode = seam().testMode;
    seam() = SeamState();
    seam().testMode = testMode;
}

} // namespace uikit
