#pragma once
// The two messages of the audio start-up as the desktop shows them.

#include "cues/cue_player.h"

namespace caici {

class CueStartupBoxes : public CueStartupMessages {
public:
    // No owner and no caption of its own: no window exists yet. The program
    // ends once it is confirmed, so it is waited for.
    void showIncorrectVersion(const std::string& text) override;
    // The plain message box, captioned with the application title; not
    // waited for.
    void showAudioInitFailed(const std::string& text) override;
};

}  // namespace caici
