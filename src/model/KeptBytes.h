#pragma once
// Fields whose stored bytes are not valid GBK (half a character cut off,
// another encoding). The form shows such bytes as U+FFFD, which GBK cannot
// store; while the clerk leaves the field as it was opened, saving writes
// the original bytes back instead of refusing the field.
#include "model/Declaration.h"

#include <QByteArray>
#include <QString>
#include <map>

namespace portdesk {

struct KeptBytes {
    QString shown;    // the text the form shows
    QByteArray bytes; // the value as the file holds it
};

// By place in formFields().
using KeptFields = std::map<int, KeptBytes>;

// The bytes to write for `field`: the kept ones while its text is still the
// one shown on opening; nullptr when its text is to be written.
const QByteArray *keptBytesFor(const KeptFields &kept, const Declaration &d,
                               const FormField &field);

// The name the clerk knows a field by: "收货人", "包装种类2", "第4行货物名称".
QString fieldCaption(const FormField &field);

// What opening says about such fields; empty when there are none.
QString keptFieldsNotice(const KeptFields &kept);

} // namespace portdesk
