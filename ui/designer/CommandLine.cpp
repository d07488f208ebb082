#include "ui/designer/CommandLine.h"

#include <QCommandLineParser>

#include "generated/Version.h"

namespace vorda::designer {

CommandLine ReadCommandLine(const QStringList& arguments, std::ostream& out, std::ostream& err) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "VordaForWin Designer: every L-section type at once for a load typed or measured, with\n"
      "buyable parts, losses, bandwidth, a Smith chart and the frequency response."));
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Show this help."));
  const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Show the version."));
  parser.addOption(help);
  parser.addOption(version);
  parser.addPositionalArgument(QStringLiteral("FILE"),
                               QStringLiteral("A Touchstone one-port file to open (.s1p)."),
                               QStringLiteral("[FILE]"));
  // Qt's own options (-platform offscreen, -style Fusion, ...) are Qt's to read.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  for (const char* name :
       {"platform", "platformpluginpath", "platformtheme", "plugin", "style", "stylesheet",
        "qwindowgeometry", "qwindowtitle", "qwindowicon", "session", "display", "geometry"}) {
    QCommandLineOption qt(QString::fromLatin1(name), QString(), QStringLiteral("value"));
    qt.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(qt);
  }
  for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
    QCommandLineOption qt(QString::fromLatin1(name));
    qt.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(qt);
  }
  CommandLine line;
  const QString usage = QStringLiteral("Usage: vorda-designer [--help] [--version] [FILE]");
  if (!parser.parse(arguments)) {
    err << "vorda-designer: " << parser.errorText().toStdString() << "\n"
        << usage.toStdString() << "\n";
    line.exit_status = 2;
    return line;
  }
  if (parser.isSet(help)) {
    // The usage line names the program, whatever the file is called.
    QString text = parser.helpText();
    text.replace(0, text.indexOf(QLatin1Char('\n')), usage);
    out << text.toStdString();
    line.exit_status = 0;
    return line;
  }
  if (parser.isSet(version)) {
    out << "VordaForWin Designer " << version::kText << "\n";
    line.exit_status = 0;
    return line;
  }
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) {
    err << "vorda-designer: one file at most, got " << files.size() << "\n"
        << usage.toStdString() << "\n";
    line.exit_status = 2;
    return line;
  }
  if (!files.isEmpty()) line.file = files.front();
  return line;
}

}  // namespace vorda::designer
