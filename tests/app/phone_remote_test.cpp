// The phone remote in the program: switched on in the rules dialog and
// remembered, or for one run from the command line; its QR code in the
// dialog and on the start window.

#include "program_harness.h"

#include "app/command_line.h"
#include "app/remote_panel.h"
#include "common/errors.h"

#include <QCheckBox>
#include <QLabel>
#include <QNetworkProxy>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace caici::testing {
namespace {

QCheckBox& remoteBox(TForm2& dialog) {
    auto* box = dialog.findChild<QCheckBox*>(QStringLiteral("chkRemote"));
    EXPECT_NE(box, nullptr);
    return *box;
}

// What a phone's camera reads from the code as drawn on screen.
QString scanned(const QLabel& code) {
    QTemporaryDir folder;
    const QString picture = folder.filePath(QStringLiteral("code.png"));
    code.pixmap().save(picture);
    QProcess scanner;
    scanner.start(QStringLiteral("zbarimg"), {QStringLiteral("--raw"), QStringLiteral("-q"), picture});
    if (!scanner.waitForFinished(20000)) return {};
    return QString::fromUtf8(scanner.readAllStandardOutput()).trimmed();
}

TEST(PhoneRemoteInTheProgram, OffByDefaultOnFromTheDialogAndRemembered) {
    ProgramHarness harness;
    harness.create();
    harness.showStartWindow();
    PhoneRemote& remote = harness.program().remote();
    TForm1& start = harness.form1();
    EXPECT_FALSE(remote.isOn());
    EXPECT_FALSE(remoteBox(harness.form2()).isChecked());
    EXPECT_TRUE(start.img2->isVisible());
    EXPECT_FALSE(start.remotePanel->isVisible());
    const int dialogHeight = harness.form2().height();

    remoteBox(harness.form2()).click();
    ASSERT_TRUE(remote.isOn());
    // The dialog makes room for the code while the remote is on.
    EXPECT_EQ(harness.form2().height(), dialogHeight + RemoteSwitch::sectionHeight);
    EXPECT_TRUE(harness.settings.settings.remoteOn());
    const QUrl address = remote.address();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^http://[0-9.]+:[0-9]+/[0-9a-f]{32}/$"))
                    .match(address.toString())
                    .hasMatch())
        << address.toString().toStdString();
    // The start window shows the code in place of the maker's picture, and
    // the address as text.
    EXPECT_FALSE(start.img2->isVisible());
    EXPECT_TRUE(start.remotePanel->isVisible());
    const auto* text = start.remotePanel->findChild<QLabel*>(QStringLiteral("remoteAddress"));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text().remove(QLatin1Char('\n')), address.toString());

    remoteBox(harness.form2()).click();
    EXPECT_FALSE(remote.isOn());
    EXPECT_FALSE(harness.settings.settings.remoteOn());
    EXPECT_EQ(harness.form2().height(), dialogHeight);
    EXPECT_TRUE(start.img2->isVisible());
    EXPECT_TRUE(harness.errors.texts.empty());

    // Left on at the last launch: on at the next, with a key of its own.
    ProgramHarness next;
    next.settings.settings.setRemoteOn(true);
    next.create();
    EXPECT_TRUE(next.program().remote().isOn());
    EXPECT_TRUE(remoteBox(next.form2()).isChecked());
    EXPECT_NE(next.program().remote().address().path(), address.path());
}

TEST(PhoneRemoteInTheProgram, TheQrCodesScanToTheRemotesAddress) {
    ProgramHarness harness;
    harness.create();
    harness.program().remote().setOn(true);
    const QString address = harness.program().remote().address().toString();
    for (QWidget* window : {static_cast<QWidget*>(&harness.form2()), static_cast<QWidget*>(&harness.form1())}) {
        const auto* code = window->findChild<QLabel*>(QStringLiteral("remoteCode"));
        ASSERT_NE(code, nullptr);
        EXPECT_EQ(scanned(*code), address) << window->objectName().toStdString();
    }
    harness.program().remote().setOn(false);
}

TEST(CommandLine, TakesRemoteWithAnOptionalPortAndNothingElse) {
    const struct {
        QStringList arguments;
        bool valid;
        bool remote;
        std::optional<std::uint16_t> port;
    } cases[] = {
        {{}, true, false, std::nullopt},
        {{"--remote"}, true, true, std::nullopt},
        {{"--remote=8080"}, true, true, 8080},
        {{"--remote=65535"}, true, true, 65535},
        {{"--remote="}, false, false, std::nullopt},
        {{"--remote=0"}, false, false, std::nullopt},
        {{"--remote=65536"}, false, false, std::nullopt},
        {{"--remote=+80"}, false, false, std::nullopt},
        {{"--remote= 80"}, false, false, std::nullopt},
        {{"--remote=http"}, false, false, std::nullopt},
        {{"--remote", "--verbose"}, false, false, std::nullopt},
        {{"words.xls"}, false, false, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        if (!c.valid) {
            EXPECT_THROW(parseCommandLine(c.arguments), Error);
            continue;
        }
        const CommandLine line = parseCommandLine(c.arguments);
        EXPECT_EQ(line.remote.has_value(), c.remote);
        if (line.remote) {
            EXPECT_EQ(line.remote->port, c.port);
        }
    }
}

// `caici --remote=PORT` prints one line with the address, and the page is
// there behind it.
TEST(CommandLine, RemotePrintsTheAddressOnStandardOutput) {
    QTcpSocket probe;
    // A port that is free now: one the system just handed out.
    QTcpServer free;
    ASSERT_TRUE(free.listen(QHostAddress::LocalHost));
    const quint16 port = free.serverPort();
    free.close();

    QTemporaryDir home;
    QProcess game;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    game.setProcessEnvironment(environment);
    game.setWorkingDirectory(gameFolder());
    game.start(QStringLiteral(CAICI_BINARY_DIR "/bin/caici"), {QStringLiteral("--remote=%1").arg(port)});
    ASSERT_TRUE(game.waitForStarted(10000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return game.canReadLine(); }, 20000));
    const QString line = QString::fromUtf8(game.readLine()).trimmed();
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("^遥控地址: http://[0-9.]+:(\\d+)(/[0-9a-f]{32}/)$")).match(line);
    ASSERT_TRUE(match.hasMatch()) << line.toStdString();
    EXPECT_EQ(match.captured(1).toUShort(), port);

    // Asked over loopback only: the server listens on every interface.
    probe.setProxy(QNetworkProxy::NoProxy);
    probe.connectToHost(QHostAddress::LocalHost, port);
    ASSERT_TRUE(probe.waitForConnected(5000));
    probe.write("GET " + match.captured(2).toLatin1() + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return probe.canReadLine(); }, 5000));
    EXPECT_EQ(probe.readLine().trimmed(), "HTTP/1.1 200 OK");

    game.kill();
    game.waitForFinished(5000);
}

}  // namespace
}  // namespace caici::testing
