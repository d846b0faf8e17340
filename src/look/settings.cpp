#include "look/settings.h"

#include <QStandardPaths>

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

void Settings::restoreDefaults() {
    store_->clear();
    store_->sync();
    emit restored();
}

bool Settings::remoteOn() const {
    return store_->value(remoteKey, false).toBool();
}

void Settings::setRemoteOn(bool on) {
    write(remoteKey, on);
}

}  // namespace caici
