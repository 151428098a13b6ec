#pragma once
// What a declaration gives the search: the fields a clerk looks a
// declaration up by, folded so that Latin letters match without regard to
// case or width, and the particulars a result shows.
#include "model/Declaration.h"
#include "model/DocumentState.h"

#include <QString>

namespace portdesk {

struct SearchFields {
    QString number, date, consignee, billOfLading; // shown in a result
    // The declaration number (six digits and in full), consignee, bill of
    // lading, contract number, container numbers, goods names and H.S.
    // codes, folded, one a line: a match never runs from one into the next.
    QString text;
};

// `number` and `date` are the archive particulars (empty before archiving);
// `prefix` the office's number prefix, for the full number.
SearchFields searchFieldsOf(const Declaration &d, const QString &number, const QString &date,
                            const QString &prefix);

// "ＡＢＣ", "abc" and "ABC" alike; line breaks become blanks.
QString foldForSearch(const QString &text);

// Whether folded text holds the folded query; an empty query matches nothing.
bool searchMatches(const QString &foldedText, const QString &foldedQuery);

// Which of the browser's folders a path relative to the work directory is in.
DocFolder folderOfDeclaration(const QString &relativePath);

// The folder column of a result: "已归档文件 2025/03" for an archived one,
// the browser's caption of the folder for the others.
QString searchFolderText(const QString &relativePath);

// Newest first means descending order of this key: an archived declaration
// by its declaration date, any other by the day its file last changed;
// within a day, the later file first.
QString searchSortKey(DocFolder folder, const QString &date, qint64 modifiedNs);

// The date a result shows: the declaration date of an archived one, else
// when its file last changed.
QString searchShownDate(DocFolder folder, const QString &date, qint64 modifiedNs);

} // namespace portdesk
