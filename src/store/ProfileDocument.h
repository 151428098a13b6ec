#pragma once
// One private-profile file held as lines of raw bytes. Names and values are
// GBK bytes here; conversion to and from Unicode happens in the store.
// Lines nobody changes keep their bytes and their own line ends, so a file
// edited here differs from the original only in the lines an operation
// touched. Lines the document writes end with CRLF.
#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace portdesk {

// Space, tab, CR, LF, VT, FF and 0x1A: what the profile reader strips.
bool isProfileBlank(char c);
QByteArray trimProfileBlanks(const QByteArray &bytes);
QByteArray trimLeadingProfileBlanks(const QByteArray &bytes);

class ProfileDocument {
public:
    static ProfileDocument parse(const QByteArray &bytes);
    QByteArray serialize() const;

    // The stored value as on disk between '=' and the line end, blanks
    // trimmed; nullopt when the section or key is absent. Names must already
    // be trimmed.
    std::optional<QByteArray> rawValue(const QByteArray &section, const QByteArray &key) const;

    // True when a header names the section (its name must already be trimmed).
    bool hasSection(const QByteArray &section) const;

    // Sets key=value (the value's leading blanks are dropped). True when the
    // document changed; an equal stored value changes nothing.
    bool setValue(const QByteArray &section, const QByteArray &key, const QByteArray &value);

    // Removes the first matching key line. True when the document changed.
    bool remove(const QByteArray &section, const QByteArray &key);

private:
    enum class Kind { Other, Section, Key };
    struct Line {
        QByteArray text; // without its line end
        QByteArray eol;  // "\r\n", "\n", "\r" or empty on an unterminated last line
        Kind kind = Kind::Other;
        QByteArray name; // section or key name, trimmed, as on disk
        QString folded;  // case-folded name; empty when the bytes are not valid GBK
        bool foldable = false;
    };
    // A name as the caller gives it, ready to compare with lines.
    struct Name {
        QByteArray bytes;
        QString folded;
        bool foldable = false;
    };

    static Name makeName(const QByteArray &bytes);
    static Line makeLine(QByteArray text, QByteArray eol);
    static bool matches(const Line &line, const Name &name);

    int findSection(const Name &section) const;
    // First key line of the section that starts at `header`, or -1;
    // `lastKey` receives the last key line of that section (or the header).
    int findKey(int header, const Name &key, int *lastKey = nullptr) const;
    void insertLine(int at, QByteArray text);

    std::vector<Line> lines_;
};

} // namespace portdesk
