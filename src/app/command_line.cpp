#include "app/command_line.h"

#include "common/errors.h"

#include <algorithm>

namespace caici {
namespace {

const QString remoteOption = QStringLiteral("--remote");

std::uint16_t portNumber(const QString& text) {
    bool ok = false;
    const uint port = text.toUInt(&ok, 10);
    // toUInt takes a leading "+" and blanks; a port is digits only.
    const bool digitsOnly = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    if (!ok || !digitsOnly || port < 1 || port > 65535) {
        throw Error(formatMessage("端口必须是 1 到 65535 之间的整数，而不是“%s”。", text.toStdString()));
    }
    return static_cast<std::uint16_t>(port);
}

}  // namespace

const char* const usageText = "用法：caici [--remote[=端口]]";

CommandLine parseCommandLine(const QStringList& arguments) {
    CommandLine line;
    for (const QString& argument : arguments) {
        if (argument == remoteOption) {
            line.remote = RemoteRequest{};
        } else if (argument.startsWith(remoteOption + QLatin1Char('='))) {
            line.remote = RemoteRequest{portNumber(argument.mid(remoteOption.size() + 1))};
        } else {
            throw Error(formatMessage("不认识的参数“%s”。", argument.toStdString()));
        }
    }
    return line;
}

QString remoteAddressLine(const QString& address) {
    return QStringLiteral("遥控地址: ") + address;
}

}  // namespace caici
