#pragma once
// Settings in a folder of their own that goes with the test, so that what
// one test remembers never reaches another.

#include "look/settings.h"

#include <QTemporaryDir>

namespace caici::testing {

struct TemporarySettings {
    QTemporaryDir folder;
    QString file = folder.filePath(QStringLiteral("settings.ini"));
    Settings settings{file};
};

}  // namespace caici::testing
