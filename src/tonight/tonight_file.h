#pragma once
// Tonight's words kept in a small JSON file of their own in the user's data
// folder, beside the match history:
//   {"format":"caici-tonight","version":1,
//    "words":[{"word":"…","points":1,"forbidden":["…"],"phone":false}]}
// Every write replaces the file whole (QSaveFile: a temporary file beside it,
// synced to disk, then renamed over it), so a crash or a power cut while
// saving leaves the words saved before. A file that cannot be read as tonight's
// words is moved aside under a free name ("….damaged-<seconds>") and never
// written over.

#include "words/tonight_words.h"

#include <QString>

#include <vector>

namespace caici {

class TonightFile : public TonightShelf {
public:
    // The file is in memory at most this large; a larger one is damaged.
    static constexpr qint64 maxFileBytes = 1 << 20;

    explicit TonightFile(QString path) : path_(std::move(path)) {}

    // path in the user's data folder.
    static QString defaultPath();

    TonightKept read() override;
    void write(const std::vector<TonightWord>& words) override;

    const QString& path() const { return path_; }

private:
    QString path_;
};

}  // namespace caici
