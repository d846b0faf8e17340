#include "cues/cue.h"

namespace caici {

std::string_view cueFileName(Cue cue) {
    switch (cue) {
    case Cue::MainWindow:
        return "主界面.mp3";
    case Cue::Hover:
        return "鼠标放上.mp3";
    case Cue::Start:
        return "开始.mp3";
    case Cue::Yes:
        return "yes.mp3";
    case Cue::No:
        return "no.mp3";
    case Cue::End:
        return "结束.mp3";
    case Cue::Score:
        return "得分.mp3";
    case Cue::Tick:
        return "倒数.mp3";
    }
    return {};
}

std::string cuePath(std::string_view baseFolder, Cue cue) {
    std::string path(baseFolder);
    path += "sound/";
    path += cueFileName(cue);
    return path;
}

}  // namespace caici
