// Video and picture parameters ("GetVideoParams", "GetPictureParams") with the time texts the
// media panel shows from them, and the caption state ("GetZEVOSD").
#include "fuzzinput.h"

#include "control/mediacontrol.h"
#include "control/osdinfo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QJsonObject reply = fuzz::replyOf(data, size);

    using control::PanelMode;
    const control::VideoParams video = control::videoParamsFromReply(reply);
    control::timeText(PanelMode::Video, video.curTime, video.totalTime);
    control::timeText(PanelMode::LiveVideo, video.showTime, video.totalTime);
    control::timeText(PanelMode::Picture, control::pictureIntervalFromReply(reply), 0);

    const OSD_INFO osd = caption::osdInfoFromReply(reply);
    caption::colourText(osd.bgColor);
    caption::colourText(osd.textColor);
    caption::setOsdTextRequest(osd, 0xFF, 1920);
    return 0;
}
