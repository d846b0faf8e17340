#pragma once
// The event a host runs the game for: its name ("活动名称") and its logo
// ("活动标志"), shown on the start window, the rule card, the scoreboard, the
// podium and the exported picture. Both may be empty.

#include <QImage>
#include <QString>

namespace caici {

struct EventBrand {
    QString name;
    // Already checked and decoded; null for none.
    QImage logo;

    bool empty() const { return name.isEmpty() && logo.isNull(); }
};

}  // namespace caici
