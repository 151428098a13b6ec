#pragma once
// One private-profile file held as lines of raw bytes. Names and values are
// GBK bytes here; conversion to and from Unicode happens in the store.
// Lines nobody changes keep their bytes and their own line ends, so a file
// edited here differs from the original only in the lines an operation
// touched. Lines the document writes end with CRLF.
//
// The file's bytes are kept as one buffer and each line as a small record
// pointing into it: a register of a hundred thousand short lines costs
// little more than the file itself. Lines an edit writes keep their bytes in
// a second buffer.
#include <QByteArray>
#include <QByteArrayView>
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

    // True when the section is there; the name must already be trimmed.
    bool hasSection(const QByteArray &section) const;

    // Sets key=value (the value's leading blanks are dropped). True when the
    // document changed; an equal stored value changes nothing.
    bool setValue(const QByteArray &section, const QByteArray &key, const QByteArray &value);

    // Removes the first matching key line. True when the document changed.
    bool remove(const QByteArray &section, const QByteArray &key);

private:
    enum Kind : quint32 { Other, Section, Key };
    enum Eol : quint32 { NoEol, CrLf, Lf, Cr };
    // Eight bytes a line: the line's text runs from `start` to the next CR
    // or LF, and its name is found again in it when needed.
    struct Line {
        quint32 start; // in the file's bytes, or in added_ when `added`
        quint32 kind : 2;
        quint32 eol : 2;
        quint32 added : 1;
        // Hash of the case-folded name, odd; 0 for other lines and for names
        // that are not GBK, which only ever match their own bytes.
        quint32 fold : 27;
    };
    static_assert(sizeof(Line) == 8);
    // A name as the caller gives it, ready to compare with lines.
    struct Name {
        QByteArray bytes;
        QString folded;
        quint32 fold;
    };

    static Name makeName(const QByteArray &bytes);
    static Line classify(QByteArrayView text);
    QByteArrayView text(const Line &line) const;
    QByteArrayView nameOf(const Line &line) const;
    bool matches(const Line &line, const Name &name) const;

    int findSection(const Name &section) const;
    // First key line of the section that starts at `header`, or -1;
    // `lastKey` receives the last key line of that section (or the header).
    int findKey(int header, const Name &key, int *lastKey = nullptr) const;
    Line addedLine(const QByteArray &text);
    void insertLine(int at, const QByteArray &text);

    QByteArray bytes_;
    QByteArray added_;
    std::vector<Line> lines_;
};

} // namespace portdesk
