#include "round/menu_wiring.h"

#include <QAction>
#include <QObject>

#include <utility>

#include "round/guessing_window_menu.h"

namespace caici {

void wireMenu(const GuessingWindowMenu& menu, MenuHandlers& handlers, QObject& receiver) {
    const std::pair<QAction*, void (MenuHandlers::*)()> entries[] = {
        {menu.N8, &MenuHandlers::N8Click},
        {menu.N1, &MenuHandlers::N1Click},
        {menu.N2, &MenuHandlers::N2Click},
        {menu.N4, &MenuHandlers::N4Click},
        {menu.autoSize, &MenuHandlers::autoSizeClick},
        {menu.scoreboard, &MenuHandlers::scoreboardClick},
        {menu.pause, &MenuHandlers::pauseClick},
        {menu.reduceMotion, &MenuHandlers::reduceMotionClick},
        {menu.highContrast, &MenuHandlers::highContrastClick},
        {menu.restoreDefaults, &MenuHandlers::restoreDefaultsClick},
        {menu.exportCsv, &MenuHandlers::exportCsvClick},
        {menu.exportPicture, &MenuHandlers::exportPictureClick},
        {menu.N7, &MenuHandlers::N7Click},
        {menu.N6, &MenuHandlers::N6Click},
    };
    for (const auto& [entry, handler] : entries) {
        QObject::connect(entry, &QAction::triggered, &receiver, [&handlers, handler = handler] { (handlers.*handler)(); });
    }
    for (const TAAQuality quality : {TAAQuality::aqHigh, TAAQuality::aqNormal, TAAQuality::aqLow,
                                     TAAQuality::aqNone}) {
        QObject::connect(menu.qualityEntry(quality), &QAction::triggered, &receiver,
                         [&handlers, quality] { handlers.qualityClick(quality); });
    }
}

}  // namespace caici
