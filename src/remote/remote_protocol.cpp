#include "remote/remote_protocol.h"

#include "common/errors.h"
#include "texts/round_card_text.h"
#include "texts/user_texts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <array>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace caici {
namespace {

const char* const notJsonText = "消息不是 JSON 对象。";
const char* const unknownCommandText = "未知的命令。";
const char* const badFieldsText = "命令带有不认识的内容。";
const char* const badEntryText = "toggle 命令要带一个行号（entry）。";
const char* const badCountsText = "counts 命令要带 true 或 false（counts）。";
const char* const badAddText = "add 命令要带词语（word，文字）、分值（points，整数），禁词（forbidden）可不带。";

constexpr std::array<std::pair<const char*, PhoneCommandKind>, 9> commandNames{{
    {"start", PhoneCommandKind::start},
    {"correct", PhoneCommandKind::correct},
    {"skip", PhoneCommandKind::skip},
    {"foul", PhoneCommandKind::foul},
    {"toggle", PhoneCommandKind::toggle},
    {"counts", PhoneCommandKind::counts},
    {"confirm", PhoneCommandKind::confirm},
    {"ping", PhoneCommandKind::ping},
    {"add", PhoneCommandKind::add},
}};

PhoneCommandKind commandKind(const QJsonValue& name) {
    if (name.isString()) {
        const QString text = name.toString();
        for (const auto& [known, kind] : commandNames) {
            if (text == QLatin1String(known)) return kind;
        }
    }
    throw Error(unknownCommandText);
}

// A review line number: a whole number that JSON wrote without fraction.
std::int32_t entryNumber(const QJsonValue& value) {
    if (!value.isDouble()) throw Error(badEntryText);
    const double number = value.toDouble();
    if (!(number >= 0 && number <= std::numeric_limits<std::int32_t>::max()) ||
        number != static_cast<double>(static_cast<std::int32_t>(number))) {
        throw Error(badEntryText);
    }
    return static_cast<std::int32_t>(number);
}

// A word of tonight's as the phone typed it; its checks are the game's.
TonightInput tonightInput(const QJsonObject& object, qsizetype& fields) {
    const QJsonValue word = object.value(QLatin1String("word"));
    const QJsonValue points = object.value(QLatin1String("points"));
    const QJsonValue forbidden = object.value(QLatin1String("forbidden"));
    if (!word.isString() || !points.isDouble() || !(forbidden.isUndefined() || forbidden.isString())) {
        throw Error(badAddText);
    }
    const double number = points.toDouble();
    if (!(number >= std::numeric_limits<std::int32_t>::min() && number <= std::numeric_limits<std::int32_t>::max()) ||
        number != static_cast<double>(static_cast<std::int32_t>(number))) {
        throw Error(badAddText);
    }
    fields = forbidden.isUndefined() ? 3 : 4;
    return TonightInput{word.toString().toStdString(), static_cast<std::int32_t>(number),
                        forbidden.toString().toStdString()};
}

const char* phaseName(RoundPhase phase) {
    switch (phase) {
        case RoundPhase::idle: return "idle";
        case RoundPhase::card: return "card";
        case RoundPhase::running: return "running";
        case RoundPhase::over: return "over";
        case RoundPhase::closed: return "closed";
    }
    return "idle";
}

const char* lineName(WordLine line) {
    switch (line) {
        case WordLine::idle: return "idle";
        case WordLine::word: return "word";
        case WordLine::exhaustion: return "exhaustion";
        case WordLine::finalScore: return "finalScore";
    }
    return "idle";
}

QJsonValue text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QJsonArray texts(const std::vector<std::string>& utf8) {
    QJsonArray array;
    for (const std::string& item : utf8) array.append(text(item));
    return array;
}

QJsonValue teamName(const std::optional<TeamMark>& team) {
    return team ? text(team->name) : QJsonValue(QJsonValue::Null);
}

QJsonValue teamColour(const std::optional<TeamMark>& team) {
    if (!team) return QJsonValue::Null;
    return QStringLiteral("#%1").arg(team->colour & 0xffffffu, 6, 16, QLatin1Char('0')).toUpper();
}

QJsonValue cardObject(const std::optional<CardView>& view) {
    if (!view) return QJsonValue::Null;
    return QJsonObject{{"kind", text(roundKindName(view->card.kind))},
                       {"rule", text(roundKindRule(view->card.kind))},
                       {"team", teamName(view->team)},
                       {"teamColour", teamColour(view->team)},
                       {"actor", text(view->card.actor)},
                       {"stage", text(cardStageText(view->card))},
                       {"seconds", view->seconds}};
}

QJsonValue reviewObject(const std::optional<Review>& review) {
    if (!review) return QJsonValue::Null;
    QJsonArray lines;
    for (const ReviewEntry& entry : review->entries()) {
        lines.append(QJsonObject{{"word", text(entry.entry.word)},
                                 {"points", entry.entry.points},
                                 {"played", verdictName(entry.asPlayed)},
                                 {"verdict", verdictName(entry.verdict)},
                                 {"penalty", entry.penalty}});
    }
    return QJsonObject{{"lines", lines},
                       {"total", static_cast<qint64>(review->total())},
                       {"skips", review->skips()},
                       {"closedEarly", review->closedEarly()},
                       {"counts", review->counts()}};
}

QByteArray compact(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

}  // namespace

PhoneCommand parsePhoneCommand(const QByteArray& message) {
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(message, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) throw Error(notJsonText);
    const QJsonObject object = document.object();

    PhoneCommand command;
    command.kind = commandKind(object.value(QLatin1String("cmd")));
    qsizetype expectedFields = 1;
    if (command.kind == PhoneCommandKind::toggle) {
        command.entry = entryNumber(object.value(QLatin1String("entry")));
        expectedFields = 2;
    } else if (command.kind == PhoneCommandKind::counts) {
        const QJsonValue counts = object.value(QLatin1String("counts"));
        if (!counts.isBool()) throw Error(badCountsText);
        command.counts = counts.toBool();
        expectedFields = 2;
    } else if (command.kind == PhoneCommandKind::add) {
        command.tonight = tonightInput(object, expectedFields);
    }
    if (object.size() != expectedFields) throw Error(badFieldsText);
    return command;
}

QByteArray stateMessage(const OperatorView& view) {
    return compact(QJsonObject{
        {"type", "state"},
        {"phase", phaseName(view.phase)},
        {"line", lineName(view.line)},
        {"word", text(view.word)},
        {"points", view.points ? QJsonValue(*view.points) : QJsonValue(QJsonValue::Null)},
        {"forbidden", texts(view.forbidden)},
        {"seconds", view.seconds},
        {"score", static_cast<qint64>(view.score)},
        {"skips", view.skips},
        {"correct", view.correctEnabled},
        {"skip", view.skipEnabled},
        {"foul", view.foulEnabled},
        {"start", view.startEnabled},
        {"busy", view.busy},
        {"gained", view.gained},
        {"penalty", view.penalty},
        {"forbiddenMode", view.forbiddenMode},
        {"skipCap", view.skipCapReached},
        {"skipReason", view.skipCapReached ? text(refusalText(Refusal::skipCap)) : QJsonValue(QJsonValue::Null)},
        {"team", teamName(view.team)},
        {"teamColour", teamColour(view.team)},
        {"nextTeam", teamName(view.nextTeam)},
        {"nextTeamColour", teamColour(view.nextTeam)},
        {"card", cardObject(view.card)},
        {"review", reviewObject(view.review)},
        {"tonight", view.tonightOpen},
    });
}

QByteArray errorMessage(const std::string& message) {
    return compact(QJsonObject{{"type", "error"}, {"text", text(message)}});
}

QByteArray pongMessage() {
    return compact(QJsonObject{{"type", "pong"}});
}

QByteArray tonightAnswerMessage(bool added, const std::string& message) {
    return compact(QJsonObject{{"type", "tonight"}, {"added", added}, {"text", text(message)}});
}

}  // namespace caici
