#pragma once
// The sound cues of the game and the files they are played from. The names
// are fixed: replacing a cue means replacing its file under the same name in
// the folder sound/ of the base folder.

#include <array>
#include <string>
#include <string_view>

namespace caici {

// In the order in which they are loaded; a cue's value is its index in kAllCues.
// Tick sounds in each of a round's last ten seconds ("最后十秒提示").
enum class Cue { MainWindow, Hover, Start, Yes, No, End, Score, Tick };

inline constexpr std::array<Cue, 8> kAllCues{Cue::MainWindow, Cue::Hover, Cue::Start, Cue::Yes,
                                             Cue::No,         Cue::End,   Cue::Score, Cue::Tick};

// The file name, UTF-8: "主界面.mp3" for the main-window cue.
std::string_view cueFileName(Cue cue);

// baseFolder (which ends with "/") + "sound/" + the file name.
std::string cuePath(std::string_view baseFolder, Cue cue);

// Whatever plays cues for the game: every request returns at once.
class CueSink {
public:
    virtual ~CueSink() = default;
    virtual void play(Cue cue) = 0;
};

}  // namespace caici
