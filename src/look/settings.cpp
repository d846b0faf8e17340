#include "look/settings.h"

#include <QStandardPaths>

namespace caici {
namespace {

const QString countdownKey = QStringLiteral("round/countdown");
const QString fitWordKey = QStringLiteral("word/fit");
const QString wordScaleKey = QStringLiteral("word/scale");
const QString remoteKey = QStringLiteral("remote/on");

}  // namespace

QString Settings::defaultFile() {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/settings.ini");
}

Settings::Settings(const QString& file) : store_(std::make_unique<QSettings>(file, QSettings::IniFormat)) {}

Settings::~Settings() = default;

int Settings::countdownSeconds(int fallback) const {
    bool ok = false;
    const int seconds = store_->value(countdownKey).toInt(&ok);
    return ok ? seconds : fallback;
}

void Settings::setCountdownSeconds(int seconds) {
    store_->setValue(countdownKey, seconds);
    store_->sync();
}

bool Settings::fitWord() const {
    return store_->value(fitWordKey, true).toBool();
}

void Settings::setFitWord(bool on) {
    store_->setValue(fitWordKey, on);
    store_->sync();
}

double Settings::wordScale() const {
    bool ok = false;
    const double scale = store_->value(wordScaleKey).toDouble(&ok);
    return ok ? scale : 1.0;
}

void Settings::setWordScale(double scale) {
    store_->setValue(wordScaleKey, scale);
    store_->sync();
}

bool Settings::remoteOn() const {
    return store_->value(remoteKey, false).toBool();
}

void Settings::setRemoteOn(bool on) {
    store_->setValue(remoteKey, on);
    store_->sync();
}

}  // namespace caici
