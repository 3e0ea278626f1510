// Screen-settings ("GetScrSetting") and window-list ("GetCurWindowList") replies, and what the
// screen-settings rules then do with the groups read.
#include "fuzzinput.h"

#include "wall/scrsettingrules.h"
#include "wall/wallreplies.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QJsonObject reply = fuzz::replyOf(data, size);

    wall::ScrSettingReply settings = wall::parseScrSetting(reply);
    wall::groupButtonStates(settings.setting.groups.size(), settings.setting.scrIndex,
                            settings.dontUseMainScr);
    for (int i = 0; i < settings.setting.groups.size(); ++i) {
        wall::selectGroup(settings.setting, i);
        const S_SCR_GROUP &group = settings.setting.groups.at(i);
        wall::checkSizes(group.customWidth, group.scrCols, group.width);
        wall::checkSizes(group.customHeight, group.scrRows, group.height);
        wall::scrSettingRequest(group, i);
    }

    for (const wall::WindowRecord &window : wall::parseWindowList(reply))
        wall::rectToWire(window.rect);
    return 0;
}
