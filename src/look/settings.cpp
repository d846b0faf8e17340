#include "look/settings.h"

#include "look/event_logo.h"

#include <QFileInfo>
#include <QStandardPaths>

#include <array>

namespace caici {
namespace {

const QString countdownKey = QStringLiteral("round/countdown");
const QString fitWordKey = QStringLiteral("word/fit");
const QString wordScaleKey = QStringLiteral("word/scale");
const QString timeColorKey = QStringLiteral("digits/time");
const QString scoreColorKey = QStringLiteral("digits/score");
const QString qualityKey = QStringLiteral("word/quality");
const QString soundKey = QStringLiteral("sound/on");
const QString reduceMotionKey = QStringLiteral("look/reduceMotion");
const QString highContrastKey = QStringLiteral("look/highContrast");
const QString projectorKey = QStringLiteral("screens/projector");
const QString consoleKey = QStringLiteral("screens/console");
const QString remoteKey = QStringLiteral("remote/on");
const QString foulPointKey = QStringLiteral("round/foulCostsPoint");
const QString roundKindKey = QStringLiteral("round/kind");
const QString skipCapKey = QStringLiteral("round/skipCap");
const QString lastSecondsKey = QStringLiteral("round/lastSecondsCue");
const QString eventNameKey = QStringLiteral("event/name");
const QString eventLogoKey = QStringLiteral("event/logo");
const QString libraryGroup = QStringLiteral("library");
const QString chosenLibraryKey = QStringLiteral("library/chosen");

// A library's choice is kept under a key made from its path: a path holds
// characters ("/", "\\") that an INI key cannot.
QString choiceKey(const QString& library, const char* field) {
    return QStringLiteral("library/%1/%2")
        .arg(QString::fromLatin1(library.toUtf8().toHex()), QString::fromLatin1(field));
}

// Kinds are kept by name, so that the file reads the same whatever the
// order of the enumeration.
struct KindName {
    RoundKind kind;
    const char* name;
};
constexpr std::array<KindName, roundKindCount> kindNames{{{RoundKind::describe, "describe"},
                                                          {RoundKind::act, "act"},
                                                          {RoundKind::oneWord, "oneWord"},
                                                          {RoundKind::sounds, "sounds"},
                                                          {RoundKind::forbidden, "forbidden"}}};

}  // namespace

QString Settings::defaultFile() {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/settings.ini");
}

Settings::Settings(const QString& file) : store_(std::make_unique<QSettings>(file, QSettings::IniFormat)) {}

Settings::~Settings() = default;

void Settings::write(const QString& key, const QVariant& value) {
    store_->setValue(key, value);
    store_->sync();
}

int Settings::countdownSeconds(int fallback) const {
    bool ok = false;
    const int seconds = store_->value(countdownKey).toInt(&ok);
    return ok ? seconds : fallback;
}

void Settings::setCountdownSeconds(int seconds) {
    write(countdownKey, seconds);
}

bool Settings::fitWord() const {
    return store_->value(fitWordKey, true).toBool();
}

void Settings::setFitWord(bool on) {
    write(fitWordKey, on);
}

double Settings::wordScale() const {
    bool ok = false;
    const double scale = store_->value(wordScaleKey).toDouble(&ok);
    return ok ? scale : 1.0;
}

void Settings::setWordScale(double scale) {
    write(wordScaleKey, scale);
}

std::optional<QColor> Settings::color(const QString& key) const {
    const QColor color(store_->value(key).toString());
    if (!color.isValid()) return std::nullopt;
    return color;
}

std::optional<QColor> Settings::timeColor() const {
    return color(timeColorKey);
}

void Settings::setTimeColor(const QColor& color) {
    write(timeColorKey, color.name());
}

std::optional<QColor> Settings::scoreColor() const {
    return color(scoreColorKey);
}

void Settings::setScoreColor(const QColor& color) {
    write(scoreColorKey, color.name());
}

int Settings::quality(int fallback) const {
    bool ok = false;
    const int quality = store_->value(qualityKey).toInt(&ok);
    return ok && quality >= 0 && quality <= 3 ? quality : fallback;
}

void Settings::setQuality(int quality) {
    write(qualityKey, quality);
}

bool Settings::soundOn() const {
    return store_->value(soundKey, true).toBool();
}

void Settings::setSoundOn(bool on) {
    write(soundKey, on);
}

bool Settings::reduceMotion() const {
    return store_->value(reduceMotionKey, false).toBool();
}

void Settings::setReduceMotion(bool on) {
    write(reduceMotionKey, on);
    emit reduceMotionChanged(on);
}

bool Settings::highContrast() const {
    return store_->value(highContrastKey, false).toBool();
}

void Settings::setHighContrast(bool on) {
    write(highContrastKey, on);
}

QString Settings::projectorScreen() const {
    return store_->value(projectorKey).toString();
}

void Settings::setProjectorScreen(const QString& name) {
    write(projectorKey, name);
}

bool Settings::operatorConsole() const {
    return store_->value(consoleKey, false).toBool();
}

void Settings::setOperatorConsole(bool on) {
    write(consoleKey, on);
}

QString Settings::chosenLibrary() const {
    return store_->value(chosenLibraryKey).toString();
}

void Settings::setChosenLibrary(const QString& path) {
    write(chosenLibraryKey, path);
}

WordChoice Settings::wordChoice(const QString& library) const {
    WordChoice choice;
    // A list is kept only for a part the host narrowed: no key, everything.
    const QVariant categories = store_->value(choiceKey(library, "categories"));
    if (categories.isValid()) {
        choice.categories.emplace();
        for (const QString& name : categories.toStringList()) choice.categories->insert(name.toStdString());
    }
    const QVariant points = store_->value(choiceKey(library, "points"));
    if (points.isValid()) {
        choice.points.emplace();
        for (const QString& value : points.toStringList()) {
            bool ok = false;
            const int number = value.toInt(&ok);
            if (ok) choice.points->insert(number);
        }
    }
    return choice;
}

void Settings::setWordChoice(const QString& library, const WordChoice& choice) {
    const QString categoriesKey = choiceKey(library, "categories");
    const QString pointsKey = choiceKey(library, "points");
    if (choice.categories) {
        QStringList names;
        for (const std::string& name : *choice.categories) names << QString::fromStdString(name);
        store_->setValue(categoriesKey, names);
    } else {
        store_->remove(categoriesKey);
    }
    if (choice.points) {
        QStringList values;
        for (const std::int32_t value : *choice.points) values << QString::number(value);
        store_->setValue(pointsKey, values);
    } else {
        store_->remove(pointsKey);
    }
    store_->sync();
}

RoundKind Settings::roundKind() const {
    const QString name = store_->value(roundKindKey).toString();
    for (const KindName& known : kindNames) {
        if (name == QLatin1String(known.name)) return known.kind;
    }
    return RoundKind::describe;
}

void Settings::setRoundKind(RoundKind kind) {
    for (const KindName& known : kindNames) {
        if (known.kind == kind) write(roundKindKey, QString::fromLatin1(known.name));
    }
    emit roundRulesChanged();
}

std::optional<int> Settings::skipCap() const {
    bool ok = false;
    const int cap = store_->value(skipCapKey).toInt(&ok);
    // A hand-edited file may hold anything: what is no cap of skips is none.
    if (!ok || cap < 0) return std::nullopt;
    return cap;
}

void Settings::setSkipCap(std::optional<int> cap) {
    if (cap) {
        write(skipCapKey, *cap);
    } else {
        store_->remove(skipCapKey);
        store_->sync();
    }
    emit roundRulesChanged();
}

bool Settings::lastSecondsCue() const {
    return store_->value(lastSecondsKey, true).toBool();
}

void Settings::setLastSecondsCue(bool on) {
    write(lastSecondsKey, on);
    emit roundRulesChanged();
}

QString Settings::eventName() const {
    return clippedEventName(store_->value(eventNameKey).toString());
}

void Settings::setEventName(const QString& name) {
    write(eventNameKey, clippedEventName(name));
    emit eventBrandChanged();
}

QString Settings::eventLogoFile() const {
    return store_->value(eventLogoKey).toString();
}

void Settings::setEventLogoFile(const QString& path) {
    write(eventLogoKey, path);
    emit eventBrandChanged();
}

EventBrand Settings::eventBrand() const {
    const QString path = eventLogoFile();
    if (path.isEmpty()) return {eventName(), {}};
    const QFileInfo file(path);
    const qint64 size = file.exists() ? file.size() : -1;
    const QDateTime modified = file.lastModified();
    if (path != decodedLogo_.path || size != decodedLogo_.size || modified != decodedLogo_.modified) {
        decodedLogo_ = {path, size, modified, readEventLogo(path).logo};
    }
    return {eventName(), decodedLogo_.logo};
}

void Settings::restoreDefaults() {
    QMap<QString, QVariant> libraries;
    store_->beginGroup(libraryGroup);
    for (const QString& key : store_->allKeys()) libraries.insert(key, store_->value(key));
    store_->endGroup();
    store_->clear();
    store_->beginGroup(libraryGroup);
    for (auto entry = libraries.cbegin(); entry != libraries.cend(); ++entry) store_->setValue(entry.key(), entry.value());
    store_->endGroup();
    store_->sync();
    emit restored();
    emit reduceMotionChanged(reduceMotion());
    emit roundRulesChanged();
    emit eventBrandChanged();
}

bool Settings::foulCostsPoint() const {
    return store_->value(foulPointKey, false).toBool();
}

void Settings::setFoulCostsPoint(bool on) {
    write(foulPointKey, on);
}

bool Settings::remoteOn() const {
    return store_->value(remoteKey, false).toBool();
}

void Settings::setRemoteOn(bool on) {
    write(remoteKey, on);
}

}  // namespace caici
