#include "app/match_players.h"

namespace caici {

std::vector<std::string> splitPlayerNames(const QString& typed) {
    std::vector<std::string> names;
    QString current;
    // A mark ended the last name (or began the text) and no name followed yet.
    bool afterMark = false;
    for (const QChar character : typed) {
        const bool mark = character == QChar(u'、') || character == QChar(u'，') || character == QLatin1Char(',');
        if (mark) {
            if (!current.isEmpty()) {
                names.push_back(current.toStdString());
                current.clear();
            } else if (afterMark) {
                names.emplace_back();
            }
            afterMark = true;
        } else if (character.isSpace()) {
            if (!current.isEmpty()) {
                names.push_back(current.toStdString());
                current.clear();
                afterMark = false;
            }
        } else {
            current += character;
            afterMark = false;
        }
    }
    if (!current.isEmpty()) names.push_back(current.toStdString());
    return names;
}

}  // namespace caici
