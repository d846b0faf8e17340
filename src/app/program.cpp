#include "app/program.h"

#include "fadetext/fade_text_accessible.h"

#include <QGuiApplication>
#include <QScreen>

namespace caici {

Program::Program(ProgramParts parts) {
    // The word display and the title must be readable by assistive
    // technology from their first line on.
    installFadeTextAccessibility();
    ErrorReporter& errors = parts.start.errors;
    form1_ = std::make_unique<TForm1>(std::move(parts.start));
    form2_ = std::make_unique<TForm2>(*form1_, errors);
    form3_ = std::make_unique<TForm3>(GuessingWindowParts{
        form1_->baseFolder(), form1_->words(), *form1_, *form1_, *form2_, errors, std::move(parts.dialogs)});
    form1_->connectWindows(*form2_, form3_->engine());
    form1_->setDigitalFamily(form3_->digitalFamily());
}

Program::~Program() = default;

void Program::showStartWindow() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect centred(QPoint(), form1_->size());
        centred.moveCenter(screen->availableGeometry().center());
        form1_->move(centred.topLeft());
    }
    form1_->show();
}

}  // namespace caici
