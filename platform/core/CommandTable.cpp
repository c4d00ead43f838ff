#include "CommandTable.h"

#include <utility>

namespace velmor {

void CommandTable::Add(int id, Action run, Test enabled, Test checked)
{
    m_commands[id] = Command{std::move(run), std::move(enabled), std::move(checked)};
}

bool CommandTable::IsEnabled(int id) const
{
    const auto it = m_commands.find(id);
    return it != m_commands.end() && (!it->second.enabled || it->second.enabled());
}

bool CommandTable::IsChecked(int id) const
{
    const auto it = m_commands.find(id);
    return it != m_commands.end() && it->second.checked && it->second.checked();
}

bool CommandTable::Run(int id) const
{
    if (!IsEnabled(id))
        return false;
    // A copy: the command may replace or clear the table it runs from.
    const Action run = m_commands.at(id).run;
    if (run)
        run();
    return true;
}

} // namespace velmor
