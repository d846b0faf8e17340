#include "input/play_keys.h"

#include "game/game.h"
#include "input/key_map.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <algorithm>

namespace caici {
namespace {

bool editsText(const QWidget& widget) {
    if (qobject_cast<const QLineEdit*>(&widget) || qobject_cast<const QAbstractSpinBox*>(&widget) ||
        qobject_cast<const QTextEdit*>(&widget) || qobject_cast<const QPlainTextEdit*>(&widget)) {
        return true;
    }
    const auto* combo = qobject_cast<const QComboBox*>(&widget);
    return combo != nullptr && combo->isEditable();
}

}  // namespace

PlayKeys::PlayKeys(Game& game, QObject* parent) : QObject(parent), game_(game) {
    QApplication::instance()->installEventFilter(this);
}

PlayKeys::~PlayKeys() {
    if (QApplication::instance() != nullptr) QApplication::instance()->removeEventFilter(this);
}

void PlayKeys::addWindow(QWidget& window) {
    windows_.emplace_back(&window);
}

bool PlayKeys::isPlayWindow(const QWidget* window) const {
    return std::any_of(windows_.begin(), windows_.end(),
                       [window](const QPointer<QWidget>& play) { return play == window; });
}

bool PlayKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    // A key goes to the focus widget first and then, unless a widget takes
    // it, up to its parents, each time through here: one taken here goes no
    // further, so it is carried out once.
    auto* widget = static_cast<QWidget*>(watched);
    const auto* key = static_cast<QKeyEvent*>(event);
    // A page key moves nothing in a line of text: in a window of play it is
    // the clicker's even there, so an operator who typed a word of tonight's
    // on the console still turns words with the clicker.
    const bool clickerPage = (key->key() == Qt::Key_PageDown || key->key() == Qt::Key_PageUp) &&
                             isPlayWindow(widget->window());
    if (!clickerPage) {
        if (editsText(*widget)) return false;
        // A completer's list takes the keys meant for the text field behind it.
        if (const QWidget* focus = QApplication::focusWidget(); focus != nullptr && editsText(*focus)) return false;
    }

    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const std::vector<CommandKind> kinds = commandsForKey(key->key());
    if (kinds.empty()) return false;
    const bool playWindow = isPlayWindow(widget->window());
    if (!playWindow && !isClickerKey(key->key())) return false;

    const bool roundRunning = game_.round().phase == RoundPhase::running;
    if (key->isAutoRepeat()) return roundRunning || playWindow;
    const CommandSet available = game_.available();
    const auto taken = std::find_if(kinds.begin(), kinds.end(),
                                    [&](CommandKind kind) { return available.has(kind); });
    if (taken == kinds.end()) return roundRunning;
    game_.perform(Command{*taken});
    return true;
}

}  // namespace caici
