#pragma once

#include <QLatin1String>
#include <QString>

#include <array>

namespace net {

// Every command the console sends to the controller, with the way it goes out. A command
// that is not in this list is not sent: the fault tests walk it, and a test compares it
// with what the console is seen to send.
struct CommandEntry
{
    enum class Send {
        Get,         // synchronous GET; the caller reads the reply (and may use checkStatus)
        PostCommand, // synchronous POST with the reply check (postCommand and its typed form)
        PostSync,    // synchronous POST whose reply the caller reads itself
        Async,       // sent without waiting; the reply reaches the dispatcher or nobody
    };
    const char *name;
    Send send;
};

inline constexpr std::array<CommandEntry, 47> kCommands{{
    // login session
    {"Login", CommandEntry::Send::PostSync},
    {"Logout", CommandEntry::Send::Async},
    {"GetVersion", CommandEntry::Send::Get},
    // languages
    {"SetLanguage", CommandEntry::Send::PostCommand},
    // wall layout, screen settings, window commands
    {"GetScrSetting", CommandEntry::Send::Get},
    {"GetCurWindowList", CommandEntry::Send::Get},
    {"SetCurScreen", CommandEntry::Send::PostCommand},
    {"SetScrSetting", CommandEntry::Send::PostCommand},
    {"NewWindow", CommandEntry::Send::PostCommand},
    {"MoveWindow", CommandEntry::Send::PostCommand},
    {"CloseWindow", CommandEntry::Send::PostCommand},
    {"SetWindowPos", CommandEntry::Send::PostCommand},
    // resource library
    {"GetVideoList", CommandEntry::Send::Get},
    {"GetUSBVideoList", CommandEntry::Send::Get},
    {"GetPicList", CommandEntry::Send::Get},
    {"GetDocList", CommandEntry::Send::Get},
    {"GetWebList", CommandEntry::Send::Get},
    {"GetPptList", CommandEntry::Send::Get},
    {"GetNetVideoList", CommandEntry::Send::Get},
    {"GetAudioList", CommandEntry::Send::Get},
    {"GetSysWindows", CommandEntry::Send::Get},
    {"GetWndPreview", CommandEntry::Send::Get},
    {"AddResource", CommandEntry::Send::PostCommand},
    {"DelResource", CommandEntry::Send::PostCommand},
    // scenes and their rotation
    {"GetAllModal", CommandEntry::Send::Get},
    {"SaveModal", CommandEntry::Send::PostCommand},
    {"LoadModal", CommandEntry::Send::PostCommand},
    {"RemoveModal", CommandEntry::Send::PostCommand},
    {"SetQuickSwitch", CommandEntry::Send::PostCommand},
    // media control and the connection poll
    {"GetVideoParams", CommandEntry::Send::Get},
    {"GetPictureParams", CommandEntry::Send::Get},
    {"VideoCtrl", CommandEntry::Send::PostCommand},
    {"PptCtrl", CommandEntry::Send::PostCommand},
    {"WebCtrl", CommandEntry::Send::PostCommand},
    {"GetCpuUsage", CommandEntry::Send::Get},
    // captions and background music
    {"GetZEVOSD", CommandEntry::Send::Get},
    {"GetFontName", CommandEntry::Send::Get},
    {"GetBgMusicState", CommandEntry::Send::Get},
    {"SetZEVOsdText", CommandEntry::Send::PostCommand},
    {"ClearOsdText", CommandEntry::Send::PostCommand},
    {"PlayBgMusic", CommandEntry::Send::PostCommand},
    {"SetBgMusicVolume", CommandEntry::Send::PostCommand},
    // remote mouse and keyboard
    {"MouseKBCtrl", CommandEntry::Send::Async},
    // users and passwords
    {"GetAllUsers", CommandEntry::Send::Get},
    {"AddUser", CommandEntry::Send::PostSync},
    {"DeleteUser", CommandEntry::Send::PostSync},
    {"ModifyPwd", CommandEntry::Send::PostSync},
}};

// The entry of `name`; nullptr for a command the console does not send.
inline const CommandEntry *findCommand(const QString &name)
{
    for (const CommandEntry &entry : kCommands) {
        if (name == QLatin1String(entry.name))
            return &entry;
    }
    return nullptr;
}

} // namespace net
