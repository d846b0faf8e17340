#pragma once
// What a host enters in a dialog, done as the toolkit receives it.

#include "game/match_rules.h"

#include <QComboBox>
#include <QString>
#include <QTest>
#include <QWidget>

namespace caici::testing {

// Types text as an input method commits it: QTest's key clicks know
// ASCII only.
inline void typeText(QWidget* widget, const QString& text) {
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text, Qt::NoModifier);
}

// Picks a round kind in a box that lists them with the kind as item data.
inline void chooseKind(QComboBox& box, RoundKind kind) {
    box.setCurrentIndex(box.findData(static_cast<int>(kind)));
}

}  // namespace caici::testing
