#pragma once

#include "uikit/messagesink.h"

#include <QList>
#include <QString>
#include <functional>

class QDialog;
class QWidget;

// The one place through which the console shows message boxes, question boxes, its own
// modal dialogs and the file chooser. In test mode nothing blocks: boxes are recorded with
// their text, questions and dialogs take the answers queued by the test.
namespace uikit {

enum class BoxType { Info = 0, Question = 1, Error = 2 };

struct ShownBox
{
    BoxType type;
    QString text;
};

class Dialogs
{
public:
    // Information and error boxes (frmMessageBox types 0 and 2); return when closed.
    static void showInfo(const QString &text);
    static void showError(const QString &text);
    // Question box (type 1): true when OK was pressed, false for any other way of closing.
    static bool askQuestion(const QString &text);
    // Runs a dialog modally and returns its result code.
    static int exec(QDialog *dialog);
    // The platform's file chooser; empty when cancelled.
    static QString getOpenFileName(QWidget *parent, const QString &caption, const QString &filter);
    // The boxes above for code without widgets (the transport, the upload).
    static MessageSink &sink();

    // --- test seam
    static void setTestMode(bool on);
    static bool testMode();
    // Answers for the next question boxes and dialogs, in order (QDialog::Accepted = 1).
    static void setNextAnswer(int result);
    // Handler for the next dialog run through exec(): it may fill fields, click buttons, and
    // returns the result code.
    static void setNextDialogHandler(std::function<int(QDialog *)> handler);
    static void setNextFileName(const QString &fileName);
    static QList<ShownBox> shownBoxes();
    static void clearShownBoxes();
    // Forgets queued answers, handlers, file names and recorded boxes.
    static void reset();
};

inline void showInfo(const QString &text)
{
    Dialogs::showInfo(text);
}
inline void showError(const QString &text)
{
    Dialogs::showError(text);
}

} // namespace uikit
