#include "effecttext/key_value_store.h"

#include "common/errors.h"
#include "common/number_text.h"

namespace caici {
namespace {

QString keyPath(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}

// Decimal, or hexadecimal after "0x" or "$", as hand-written files use for colours.
bool parseInteger(const QString& text, int& value) {
    const QString trimmed = text.trimmed();
    bool ok = false;
    if (trimmed.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        value = static_cast<int>(trimmed.mid(2).toUInt(&ok, 16));
        return ok;
    }
    if (trimmed.startsWith(QLatin1Char('$'))) {
        value = static_cast<int>(trimmed.mid(1).toUInt(&ok, 16));
        return ok;
    }
    std::int32_t parsed = 0;
    if (!tryStrToInt(trimmed.toStdString(), parsed)) return false;
    value = parsed;
    return true;
}

}  // namespace

IniFileStore::IniFileStore(const QString& path)
    : settings_(std::make_unique<QSettings>(path, QSettings::IniFormat)) {}

int IniFileStore::ReadInteger(const std::string& section, const std::string& key, int defaultValue) const {
    const QVariant raw = settings_->value(keyPath(section, key));
    int value = 0;
    if (!raw.isValid() || !parseInteger(raw.toString(), value)) return defaultValue;
    return value;
}

bool IniFileStore::ReadBool(const std::string& section, const std::string& key, bool defaultValue) const {
    const QVariant raw = settings_->value(keyPath(section, key));
    if (!raw.isValid()) return defaultValue;
    const QString text = raw.toString().trimmed();
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return false;
    int value = 0;
    if (!parseInteger(text, value)) return defaultValue;
    return value != 0;
}

void IniFileStore::WriteInteger(const std::string& section, const std::string& key, int value) {
    settings_->setValue(keyPath(section, key), value);
}

void IniFileStore::WriteBool(const std::string& section, const std::string& key, bool value) {
    settings_->setValue(keyPath(section, key), value ? 1 : 0);
}

void IniFileStore::Flush() {
    settings_->sync();
    if (settings_->status() != QSettings::NoError) {
        throw Error(formatMessage("Cannot write the settings file \"%s\".", settings_->fileName().toStdString()));
    }
}

}  // namespace caici
