#pragma once
// What every window is handed: the platform seam, the program's folder and
// the work directory fixed for this run.
#include <QString>

namespace portdesk {

class Prompts;
class Clipboard;
class Shell;
class Printer;
class Clock;

struct Context {
    Prompts &prompts;
    Clipboard &clipboard;
    Shell &shell;
    Printer &printer;
    Clock &clock;
    QString programDir; // folder of the executable, '/' separators, no trailing separator
    QString workDir;    // work directory, '/' separators, no trailing separator
    // This desk's own folder for the program's private files, never the
    // shared work directory.
    QString dataDir;
    // This desk's folder for what may be lost and made again (the search's index).
    QString cacheDir;

    QString configDir() const { return workDir + QStringLiteral("/Config"); }
    QString configIni() const { return configDir() + QStringLiteral("/Config.ini"); }
    QString consigneeIni() const { return configDir() + QStringLiteral("/Consignee.ini"); }
    QString tobedoneIni() const { return configDir() + QStringLiteral("/Tobedone.ini"); }
    QString savedDir() const { return workDir + QStringLiteral("/Saved"); }
    QString printedDir() const { return savedDir() + QStringLiteral("/Printed"); }
    QString archivedDir() const { return savedDir() + QStringLiteral("/Archived"); }
    QString listsDir() const { return savedDir() + QStringLiteral("/QingDan"); }
    QString recoveryDir() const { return dataDir + QStringLiteral("/Recovery"); }
};

} // namespace portdesk
