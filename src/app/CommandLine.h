#pragma once
// What the command-line modes share: their arguments, the work directory
// they read, and reading a file by the bytes of its name.
#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

namespace portdesk {

inline constexpr int kCommandFailed = 1, kCommandUsage = 2;

struct CommandMode {
    const char *flag;  // "--pdf"
    int files;         // how many file names it takes
    bool takesDate;    // --date YYYY-MM-DD
    const char *usage; // the whole usage line
};

struct CommandArguments {
    QList<QByteArray> files; // as the system gave them
    QString workDir;         // --workdir; empty when not given
    QDate date;              // --date; invalid when not given
};

// True when argv holds `flag` (main decides the mode before it makes the
// application object).
bool wantsMode(int argc, char **argv, const char *flag);

// False, with `error` set to one line, for a wrong command line: an unknown
// option (Qt's own included), a missing value, a wrong number of files.
bool parseCommandLine(const QList<QByteArray> &raw, const CommandMode &mode, CommandArguments &a,
                      QString *error);

// The work directory the command reads: --workdir, or the one the program's
// settings name. Empty, with `error` set, when it cannot be reached.
QString commandWorkDir(const QString &given, const QString &programDir, QString *error);

// A path to read the file named by `bytes` through. A name that is not valid
// in the system's encoding does not survive the trip through QString; on
// Linux the file is then opened by its bytes and read through its descriptor.
class ReadablePath {
public:
    explicit ReadablePath(const QByteArray &bytes);
    ~ReadablePath();
    ReadablePath(const ReadablePath &) = delete;
    ReadablePath &operator=(const ReadablePath &) = delete;
    const QString &path() const { return path_; }

private:
    QString path_;
    int fd_ = -1;
};

} // namespace portdesk
