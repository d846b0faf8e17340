#include "effecttext/key_value_store.h"

#include <QFileInfo>
#include <QSaveFile>

#include "common/errors.h"
#include "common/number_text.h"
#include "effecttext/bounded_file.h"

namespace caici {
namespace {

// Decimal, or hexadecimal after "0x" or "$", as hand-written files use for colours.
bool parseInteger(const std::string& text, int& value) {
    const QString trimmed = QString::fromStdString(text).trimmed();
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

IniDocument readDocument(const QString& path) {
    if (!QFileInfo::exists(path)) return IniDocument();
    const QByteArray text = readRegularFile(path, kMaxIniFileBytes);
    return IniDocument(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
}

}  // namespace

IniFileStore::IniFileStore(const QString& path) : path_(path), document_(readDocument(path)) {}

std::optional<std::string> IniFileStore::ReadString(const std::string& section, const std::string& key) const {
    return document_.Value(section, key);
}

int IniFileStore::ReadInteger(const std::string& section, const std::string& key, int defaultValue) const {
    const std::optional<std::string> raw = document_.Value(section, key);
    int value = 0;
    if (!raw || !parseInteger(*raw, value)) return defaultValue;
    return value;
}

bool IniFileStore::ReadBool(const std::string& section, const std::string& key, bool defaultValue) const {
    const std::optional<std::string> raw = document_.Value(section, key);
    if (!raw) return defaultValue;
    const QString text = QString::fromStdString(*raw).trimmed();
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return false;
    int value = 0;
    if (!parseInteger(*raw, value)) return defaultValue;
    return value != 0;
}

void IniFileStore::WriteInteger(const std::string& section, const std::string& key, int value) {
    document_.SetValue(section, key, std::to_string(value));
}

void IniFileStore::WriteBool(const std::string& section, const std::string& key, bool value) {
    document_.SetValue(section, key, value ? "1" : "0");
}

void IniFileStore::Flush() {
    QSaveFile file(path_);
    const std::string text = document_.Text();
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) ||
        !file.commit()) {
        throw Error(QStringLiteral("无法写入设置文件“%1”：%2。").arg(path_, file.errorString()).toStdString());
    }
}

}  // namespace caici
