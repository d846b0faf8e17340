#include "input/key_map.h"

#include <Qt>

namespace caici {

std::vector<CommandKind> commandsForKey(int key) {
    switch (key) {
        case Qt::Key_PageDown:
        case Qt::Key_Right:
            return {CommandKind::correct};
        case Qt::Key_PageUp:
        case Qt::Key_Left:
            return {CommandKind::skip};
        case Qt::Key_F:
            return {CommandKind::foul};
        case Qt::Key_Space:
        case Qt::Key_P:
        case Qt::Key_B:
        case Qt::Key_Period:
            return {CommandKind::pause};
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return {CommandKind::confirm, CommandKind::correct, CommandKind::start};
        default:
            return {};
    }
}

bool isClickerKey(int key) {
    return key == Qt::Key_PageDown || key == Qt::Key_PageUp || key == Qt::Key_B || key == Qt::Key_Period;
}

}  // namespace caici
