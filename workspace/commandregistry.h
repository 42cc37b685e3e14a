#pragma once

#include "model/featurecommand.h"

#include <QString>

// Every command the program offers, as its feature published it: the window's
// own, the return page's items, and the filing, print, agency-data and return
// tool commands of those folders. The window makes its actions from here.
class CommandRegistry
{
public:
    // The program's commands, gathered once.
    static const CommandRegistry& program();

    explicit CommandRegistry(std::vector<FeatureCommands> sources);

    // The command with that id, or null.
    const FeatureCommand* find(const QString& id) const;
    const FeatureCommands& commands() const { return m_commands; }
    // Ids published twice; empty in a sound program.
    QStringList duplicateIds() const;

private:
    FeatureCommands m_commands;
};
