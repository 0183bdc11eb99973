// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include "platform/SystemServices.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>

namespace {

// The exit code of a wrong command line, as the system's own tools have it.
constexpr int kUsageError = 2;

// The line after the name and version, as GNU programs name their licence.
constexpr const char* kLicenceLine =
    "License GPL-3.0-or-later: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.";

// Qt's own options, which QApplication takes off the command line after this: a session
// manager restores the program with -session, a player may pass -display or -style.
// They are accepted here, not listed, and left to Qt.
constexpr const char* kQtOptionsWithValue[] = {
    "platform",    "platformpluginpath", "platformtheme",
    "plugin",      "qmljsdebugger",      "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",
    "display",     "geometry",           "style",
    "stylesheet"};
constexpr const char* kQtFlags[] = {"reverse", "widgetcount"};

void addQtOptions(QCommandLineParser& parser) {
    for (const char* name : kQtOptionsWithValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : kQtFlags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

void print(std::FILE* stream, const QString& text) {
    useStartingConsole();
    std::fputs(qPrintable(text), stream);
}

} // namespace

std::optional<int> answerCommandLine(int argc, char** argv) {
    QCommandLineParser parser;
    // Qt's options are single-dash words (-platform), so single dashes name whole options.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Plays a sound in Quake when your team calls for something."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows these options and ends."));
    const QCommandLineOption version(
        {QStringLiteral("v"), QStringLiteral("version")},
        QStringLiteral("Shows the name, version and licence and ends."));
    parser.addOption(help);
    parser.addOption(version);
    addQtOptions(parser);

    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments << QString::fromLocal8Bit(argv[index]);
    const bool parsed = parser.parse(arguments);
    const QStringList extra = parsed ? parser.positionalArguments() : QStringList();
    if (parsed && extra.isEmpty() && !parser.isSet(help) && !parser.isSet(version))
        return std::nullopt;

    if (!parsed || !extra.isEmpty()) {
        const QString error = parsed
                                  ? QStringLiteral("Unexpected argument '%1'.").arg(extra.first())
                                  : parser.errorText();
        const QString program = QFileInfo(arguments.value(0)).fileName();
        print(stderr, QStringLiteral("%1: %2\nTry '%3 --help' for the options.\n")
                          .arg(QCoreApplication::applicationName(), error, program));
        return kUsageError;
    }
    if (parser.isSet(help)) {
        // The usage line names the program from the core application's arguments.
        QCoreApplication application(argc, argv);
        print(stdout, parser.helpText());
        return 0;
    }
    print(stdout,
          QStringLiteral("%1 %2\n%3\n")
              .arg(QCoreApplication::applicationName(), QCoreApplication::applicationVersion(),
                   QString::fromLatin1(kLicenceLine)));
    return 0;
}
