#include "fadetext/fade_text_accessible.h"

#include "fadetext/fade_text.h"

namespace caici {
namespace {

QAccessibleInterface* fadeTextFactory(const QString&, QObject* object) {
    auto* control = qobject_cast<TCnAAFadeText*>(object);
    // Qt's accessibility cache takes ownership of the interfaces that
    // factories hand out and deletes them with their objects.
    return control != nullptr ? new FadeTextAccessible(control) : nullptr;
}

}  // namespace

FadeTextAccessible::FadeTextAccessible(TCnAAFadeText* control)
    : QAccessibleWidget(control, QAccessible::StaticText) {}

QString FadeTextAccessible::text(QAccessible::Text kind) const {
    if (kind == QAccessible::Name) {
        // Word joiners keep a "<" in a word from opening a tag; they are no
        // part of what the room reads, so a screen reader is not given them.
        return QString::fromStdString(static_cast<const TCnAAFadeText*>(widget())->DisplayedText())
            .remove(QChar(0x2060));
    }
    return QAccessibleWidget::text(kind);
}

void installFadeTextAccessibility() { QAccessible::installFactory(fadeTextFactory); }

}  // namespace caici
