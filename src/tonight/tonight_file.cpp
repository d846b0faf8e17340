#include "tonight/tonight_file.h"

#include "common/errors.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

#include <optional>
#include <utility>

namespace caici {
namespace {

const QString formatName = QStringLiteral("caici-tonight");
constexpr int formatVersion = 1;

std::string utf8(const QString& text) {
    return text.toStdString();
}

// The system's reason, with the file it is about; the views word the rest.
[[noreturn]] void fail(const QString& path, const QString& reason) {
    throw Error(utf8(QDir::toNativeSeparators(path) + QStringLiteral(": ") + reason));
}

QJsonObject wordObject(const TonightWord& word) {
    QJsonArray forbidden;
    for (const std::string& item : word.forbidden) forbidden.append(QString::fromStdString(item));
    return QJsonObject{{"word", QString::fromStdString(word.word)},
                       {"points", word.points},
                       {"forbidden", forbidden},
                       {"phone", word.origin == TonightOrigin::phone}};
}

std::optional<TonightWord> wordOf(const QJsonValue& value) {
    if (!value.isObject()) return std::nullopt;
    const QJsonObject object = value.toObject();
    const QJsonValue word = object.value(QLatin1String("word"));
    const QJsonValue points = object.value(QLatin1String("points"));
    const QJsonValue forbidden = object.value(QLatin1String("forbidden"));
    const QJsonValue phone = object.value(QLatin1String("phone"));
    if (!word.isString() || !points.isDouble() || !forbidden.isArray() || !phone.isBool()) return std::nullopt;
    TonightWord read;
    read.word = utf8(word.toString());
    read.points = points.toInt(0);
    if (static_cast<double>(read.points) != points.toDouble()) return std::nullopt;
    for (const QJsonValue item : forbidden.toArray()) {
        if (!item.isString()) return std::nullopt;
        read.forbidden.push_back(utf8(item.toString()));
    }
    read.origin = phone.toBool() ? TonightOrigin::phone : TonightOrigin::host;
    return read;
}

// The words the file's bytes hold, or nothing when they are not tonight's
// words as this program writes them. Each word is checked again as if typed:
// a hand-edited file must not bring in what the panel would refuse.
std::optional<std::vector<TonightWord>> wordsOf(const QByteArray& bytes) {
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) return std::nullopt;
    const QJsonObject top = document.object();
    if (top.value(QLatin1String("format")).toString() != formatName ||
        top.value(QLatin1String("version")).toInt(-1) != formatVersion || !top.value(QLatin1String("words")).isArray()) {
        return std::nullopt;
    }
    std::vector<TonightWord> words;
    for (const QJsonValue value : top.value(QLatin1String("words")).toArray()) {
        const std::optional<TonightWord> word = wordOf(value);
        if (!word) return std::nullopt;
        std::string forbidden;
        for (const std::string& item : word->forbidden) forbidden += item + "、";
        if (!forbidden.empty()) forbidden.resize(forbidden.size() - std::string_view("、").size());
        auto checked =
            readTonightWord(TonightInput{word->word, word->points, forbidden}, word->origin, words, std::nullopt, {});
        if (!std::holds_alternative<TonightWord>(checked) || std::get<TonightWord>(checked) != *word) {
            return std::nullopt;
        }
        words.push_back(*word);
    }
    return words;
}

// A free name beside the damaged file, so nothing is overwritten.
QString asideName(const QString& path) {
    const QString stamp = QString::number(QDateTime::currentSecsSinceEpoch());
    for (int n = 0;; ++n) {
        const QString aside =
            path + QStringLiteral(".damaged-") + stamp + (n == 0 ? QString() : QStringLiteral("-%1").arg(n));
        if (!QFileInfo::exists(aside)) return aside;
    }
}

}  // namespace

QString TonightFile::defaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/tonight.json");
}

TonightKept TonightFile::read() {
    TonightKept kept;
    kept.file = utf8(path_);
    QFile file(path_);
    if (!file.exists()) return kept;
    if (!file.open(QIODevice::ReadOnly)) fail(path_, file.errorString());
    const QByteArray bytes = file.read(maxFileBytes + 1);
    const bool readWhole = file.error() == QFileDevice::NoError;
    file.close();
    if (!readWhole) fail(path_, file.errorString());
    if (bytes.size() <= maxFileBytes) {
        if (std::optional<std::vector<TonightWord>> words = wordsOf(bytes)) {
            kept.words = std::move(*words);
            return kept;
        }
    }
    const QString aside = asideName(path_);
    QFile damaged(path_);
    if (!damaged.rename(aside)) fail(path_, damaged.errorString());
    kept.aside = utf8(aside);
    return kept;
}

void TonightFile::write(const std::vector<TonightWord>& words) {
    const QString folder = QFileInfo(path_).absolutePath();
    if (!QDir().mkpath(folder)) fail(folder, QStringLiteral("mkdir"));
    QJsonArray list;
    for (const TonightWord& word : words) list.append(wordObject(word));
    const QByteArray bytes = QJsonDocument(QJsonObject{{"format", formatName},
                                                       {"version", formatVersion},
                                                       {"words", list}})
                                 .toJson(QJsonDocument::Indented);
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        fail(path_, file.errorString());
    }
}

}  // namespace caici
