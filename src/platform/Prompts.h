#pragma once
// Message and input boxes. Windows ask through this interface so that tests
// can script the answers and read back every text shown.
#include <QString>
#include <optional>

namespace portdesk {

enum class MsgIcon { None, Information, Warning, Critical, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

inline QString appTitle()
{
    return QStringLiteral("Portdesk");
}

class Prompts {
public:
    virtual ~Prompts() = default;

    virtual MsgAnswer message(const QString &text, const QString &title, MsgIcon icon,
                              MsgButtons buttons, MsgAnswer defaultButton) = 0;
    // nullopt when the clerk cancels; callers treat an empty answer as cancel too.
    virtual std::optional<QString> input(const QString &title, const QString &prompt,
                                         const QString &proposal) = 0;

    void warn(const QString &text, const QString &title = appTitle())
    {
        message(text, title, MsgIcon::Warning, MsgButtons::Ok, MsgAnswer::Ok);
    }
    void inform(const QString &text, const QString &title = appTitle())
    {
        message(text, title, MsgIcon::Information, MsgButtons::Ok, MsgAnswer::Ok);
    }
    // Yes/No with No preselected: true on Yes.
    bool askYesNo(const QString &text, const QString &title = appTitle())
    {
        return message(text, title, MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::No) ==
               MsgAnswer::Yes;
    }
    // OK/Cancel with Cancel preselected: true on OK.
    bool askOkCancel(const QString &text, const QString &title = appTitle())
    {
        return message(text, title, MsgIcon::Question, MsgButtons::OkCancel, MsgAnswer::Cancel) ==
               MsgAnswer::Ok;
    }
};

} // namespace portdesk
