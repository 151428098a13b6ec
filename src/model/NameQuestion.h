#pragma once
// Asking the clerk for a declaration file name (save-as, rename) until one
// can be used: an empty answer, a cancel or a bare ".dcl" gives up; the
// typed name is filtered and given its .dcl; a name the file system cannot
// hold is reported and asked again.
#include <QString>
#include <functional>
#include <optional>

namespace portdesk {

class Prompts;

enum class NameVerdict { Use, AskAgain };

struct NameQuestion {
    QString title, prompt;
    std::function<QString()> proposal; // asked anew each time: it may name the time
    // Gives up quietly on this filtered name (before the .dcl is added).
    std::function<bool(const QString &filtered)> givesUp;
    // The caller's own checks on the finished name; AskAgain after saying why.
    std::function<NameVerdict(const QString &name)> verdict;
};

std::optional<QString> askFileName(Prompts &prompts, const NameQuestion &question);

} // namespace portdesk
