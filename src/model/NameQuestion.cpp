#include "model/NameQuestion.h"

#include "platform/Prompts.h"
#include "store/DocumentNames.h"
#include "store/FileNameFilter.h"

namespace portdesk {

std::optional<QString> askFileName(Prompts &prompts, const NameQuestion &q)
{
    for (;;) {
        const std::optional<QString> answer = prompts.input(q.title, q.prompt, q.proposal());
        if (!answer || answer->isEmpty() || *answer == dclSuffix())
            return std::nullopt;
        const QString filtered = GuoLv(*answer);
        if (q.givesUp && q.givesUp(filtered))
            return std::nullopt;
        const QString name = withDclSuffix(filtered);
        if (const QString problem = fileNameProblem(name); !problem.isEmpty()) {
            prompts.warn(problem);
            continue;
        }
        if (!q.verdict || q.verdict(name) == NameVerdict::Use)
            return name;
    }
}

} // namespace portdesk
