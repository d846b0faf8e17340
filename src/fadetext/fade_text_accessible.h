#pragma once
// What assistive technology (screen readers, switch devices, desktop
// automation) learns about a fade-text control: a static text whose name is
// the line on display exactly as it is drawn, tags removed and labels
// expanded. The control announces every change of that line with a
// name-changed event.

#include <QAccessibleWidget>

namespace caici {

class TCnAAFadeText;

class FadeTextAccessible : public QAccessibleWidget {
public:
    explicit FadeTextAccessible(TCnAAFadeText* control);

    QString text(QAccessible::Text kind) const override;
};

// Registers the interface with Qt's accessibility; the application calls it
// once before its windows are created (calling it again does no harm).
void installFadeTextAccessibility();

}  // namespace caici
