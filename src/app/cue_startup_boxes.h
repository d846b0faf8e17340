#pragma once
// The two messages of the audio start-up as the desktop shows them.

#include "cues/cue_player.h"

namespace caici {

class CueStartupBoxes : public CueStartupMessages {
public:
    // No owner and no caption of its own: no window exists yet. Once it is
    // confirmed the event loop ends with status 1.
    void showIncorrectVersion(const std::string& text) override;
    // The plain message box, captioned with the application title; not
    // waited for.
    void showAudioInitFailed(const std::string& text) override;

    // The program has to end, and the box saying why is still to be read.
    bool endingBoxShown() const { return endingBoxShown_; }

private:
    bool endingBoxShown_ = false;
};

}  // namespace caici
