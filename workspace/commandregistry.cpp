#include "workspace/commandregistry.h"

#include "agencydata/agencydatacommands.h"
#include "dialogs/toolcommands.h"
#include "filing/filingcommands.h"
#include "print/printcommands.h"
#include "workspace/windowcommands.h"

#include <QSet>
#include <QStringList>

const CommandRegistry& CommandRegistry::program()
{
    static const CommandRegistry registry({windowCommands(), returnPageCommands(), filingCommands(), printCommands(),
                                           agencyDataCommands(), returnToolCommands()});
    return registry;
}

CommandRegistry::CommandRegistry(std::vector<FeatureCommands> sources)
{
    for (FeatureCommands& source : sources)
        m_commands.insert(m_commands.end(), source.begin(), source.end());
}

const FeatureCommand* CommandRegistry::find(const QString& id) const
{
    for (const FeatureCommand& command : m_commands) {
        if (id == QLatin1String(command.id))
            return &command;
    }
    return nullptr;
}

QStringList CommandRegistry::duplicateIds() const
{
    QSet<QString> seen;
    QStringList twice;
    for (const FeatureCommand& command : m_commands) {
        const QString id = QString::fromLatin1(command.id);
        if (seen.contains(id))
            twice << id;
        seen.insert(id);
    }
    return twice;
}
