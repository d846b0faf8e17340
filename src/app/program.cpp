#include "app/program.h"

#include "fadetext/fade_text.h"
#include "fadetext/fade_text_accessible.h"
#include "look/event_brand.h"
#include "look/placement.h"
#include "round/guessing_window_menu.h"
#include "texts/user_texts.h"
#include "tonight/tonight_file.h"
#include "workbook/word_library.h"

#include <QAction>
#include <QStandardPaths>

#include "common/product.h"

namespace caici {
namespace {

QString defaultHistoryFile() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/history.db");
}

}  // namespace

// The game's failures go to the application's error box, once each.
class Program::ErrorBoxes : public GameListener {
public:
    explicit ErrorBoxes(ErrorReporter& reporter) : reporter_(reporter) {}
    void error(const Problem& problem) override { reporter_.reportError(problemText(problem)); }
    void warning(const Problem& problem) override { reporter_.reportWarning(problemText(problem)); }

private:
    ErrorReporter& reporter_;
};

Program::Program(ProgramParts parts) {
    // The word display and the title must be readable by assistive
    // technology from their first line on.
    installFadeTextAccessibility();
    dialogs_ = parts.dialogs ? parts.dialogs : std::make_shared<DesktopDialogs>();
    settings_ = std::make_unique<Settings>(parts.settingsFile.isEmpty() ? Settings::defaultFile() : parts.settingsFile);
    const std::string baseFolder = parts.baseFolder.toStdString();
    game_ = std::make_unique<Game>(GameParts{
        baseFolder,
        std::make_unique<WordLibrary>(
            LibraryPlaces{baseFolder,
                          parts.libraryFolder.isEmpty() ? personalLibraryFolder() : parts.libraryFolder.toStdString(),
                          settings_->chosenLibrary().toStdString()},
            parts.readerPath),
        std::move(parts.audio), std::move(parts.clock)});
    // The program cannot run with a mismatched audio library: it ends with a
    // failure status, so a launcher or script sees that it did not start.
    if (game_->startSound(parts.cueMessages) == CueStartup::IncorrectVersion) throw ProgramEnd(1);
    errorBoxes_ = std::make_unique<ErrorBoxes>(parts.errors);
    game_->addListener(*errorBoxes_);

    // Single rounds are played as the host last set them, and as the host
    // changes them from now on.
    const auto followRoundRules = [this] {
        game_->setRoundKind(settings_->roundKind());
        game_->setSkipCap(settings_->skipCap());
        game_->setLastSecondsCue(settings_->lastSecondsCue());
    };
    followRoundRules();
    QObject::connect(settings_.get(), &Settings::roundRulesChanged, settings_.get(), followRoundRules);

    form1_ = std::make_unique<TForm1>(*game_, parts.errors);
    form2_ = std::make_unique<TForm2>(*form1_, *game_, *settings_, parts.errors);
    form3_ = std::make_unique<TForm3>(
        GuessingWindowParts{parts.baseFolder, *game_, *settings_, parts.errors, dialogs_});
    library_ = std::make_unique<LibraryActions>(*game_, *settings_, *dialogs_, parts.errors);
    library_->restoreChoice();
    // After the choice: words kept from an earlier run come with the choice
    // of that run, which says whether they are dealt.
    game_->openTonightWords(
        std::make_unique<TonightFile>(parts.tonightFile.isEmpty() ? TonightFile::defaultPath() : parts.tonightFile));
    form1_->connectRules(*form2_);
    form2_->connectLibrary(*library_, parts.baseFolder);
    form2_->connectTonight();
    form2_->connectShowSettings(*dialogs_);
    const GuessingWindowMenu& menu = form3_->menu();
    QObject::connect(menu.openLibrary, &QAction::triggered, library_.get(), [this] { library_->open(form3_.get()); });
    QObject::connect(menu.editLibrary, &QAction::triggered, library_.get(), [this] { library_->edit(); });
    console_ = std::make_unique<ConsoleMode>(*game_, *settings_, *form3_, parts.errors, form3_->digitalFamily());
    form2_->connectConsole(*console_);
    QObject::connect(menu.operatorConsole, &QAction::triggered, console_.get(),
                     [this, &errors = parts.errors](bool on) { guarded(errors, [&] { console_->setOn(on); }); });
    const auto followConsole = [this, &menu] {
        menu.operatorConsole->setChecked(console_->isOn());
        menu.operatorConsole->setEnabled(console_->available());
    };
    QObject::connect(console_.get(), &ConsoleMode::changed, console_.get(), followConsole);
    followConsole();
    form1_->setDigitalFamily(form3_->digitalFamily());
    // The start window's title changes as the words do.
    form1_->aft1->SetInstant(settings_->reduceMotion());
    QObject::connect(settings_.get(), &Settings::reduceMotionChanged, form1_.get(),
                     [this](bool on) { form1_->aft1->SetInstant(on); });
    const auto showBrand = [this] {
        const EventBrand brand = settings_->eventBrand();
        form1_->setEventBrand(brand);
        form3_->setEventBrand(brand);
    };
    QObject::connect(settings_.get(), &Settings::eventBrandChanged, form1_.get(), showBrand);
    showBrand();
    // After the windows, so that whatever the history has to say is heard.
    game_->openHistory((parts.historyFile.isEmpty() ? defaultHistoryFile() : parts.historyFile).toStdString());

    remote_ = std::make_unique<PhoneRemote>(*game_, *settings_);
    form1_->connectRemote(*remote_);
    form2_->connectRemote(*remote_);
    // Left on at the last launch: on again, with a new key.
    guarded(parts.errors, [this] { remote_->restore(); });
}

Program::~Program() {
    game_->removeListener(*errorBoxes_);
}

void Program::showStartWindow() {
    centreOnScreen(*form1_, form1_->frameGeometry().size());
    form1_->show();
    const auto unfinished = game_->unfinishedMatch();
    if (!unfinished) return;
    QStringList teams;
    for (const auto& team : unfinished->teams()) teams << QString::fromStdString(team);
    const QString text = QStringLiteral("上次的比赛（%1）还没有比完，已比了 %2 轮。\n\n要接着比吗？选“否”则结束那场比赛。")
                             .arg(teams.join(QStringLiteral("、")))
                             .arg(unfinished->rounds().size());
    dialogs_->question(form1_.get(), QString::fromUtf8(productTitle), text, [this](bool resume) {
        // A round begun meanwhile (from a phone) has settled the question:
        // the match stays offered until the host answers, and is taken up
        // only while nothing else is being played.
        if (resume && game_->round().phase != RoundPhase::running && !game_->match()) {
            game_->resumeMatch();
        } else if (!resume) {
            game_->dismissUnfinishedMatch();
        }
    });
}

}  // namespace caici
