#pragma once

#include <QString>

namespace uikit {

// Where code without widgets reports to the operator: the modal error and information
// boxes. The application hands in Dialogs::sink(); a caller continues when the box is
// closed.
class MessageSink
{
public:
    virtual ~MessageSink() = default;
    virtual void showError(const QString &text) = 0;
    virtual void showInfo(const QString &text) = 0;
};

} // namespace uikit
