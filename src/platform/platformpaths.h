#pragma once

#include <QString>
#include <memory>

class QSettings;

// Where the console keeps its local state. On Windows these are the fixed registry key,
// the per-user store and the folders under "c:\ZEV-Series\". Elsewhere they live in the
// user's XDG config and data folders. Setting PELMORA_HOME (or calling setOverrideRoot)
// moves everything below one folder: the demo and the tests use that, so they never touch
// the real user's files.
namespace platform {

// Redirects every location below `dir` (config in dir/config, data in dir/data).
// An empty string returns to the default locations.
void setOverrideRoot(const QString &dir);
QString overrideRoot();

// The registry key "HKEY_CURRENT_USER\Software\ZevController" (native format).
std::unique_ptr<QSettings> lastConnectSettings();
// The per-user store of organisation "Strovane", application "Pelmora".
std::unique_ptr<QSettings> appSettings();
// The host list "c:\ZEV-Series\Settings.ini" (ini format).
std::unique_ptr<QSettings> hostListSettings();
QString hostListFilePath();

// "c:\ZEV-Series\" and "c:\ZEV-Series\Modals\", each ending with a separator.
QString zevRoot();
QString modalsRoot();
// "c:\ZEV-Series\Modals\GroupN/"
QString modalGroupDir(int group);

// The folder of the running executable.
QString programDir();

} // namespace platform
