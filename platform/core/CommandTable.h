// A table of commands by id: what each does, when it can run and when it is checked. The
// application and each view keep one; the menus, toolbars and accelerators are built from the
// menu tables (texts, shortcuts) and the icons by id, and every command they send is routed
// through these tables. No Qt.
#pragma once

#include <functional>
#include <unordered_map>

namespace velmor {

class CommandTable
{
public:
    using Action = std::function<void()>;
    using Test = std::function<bool()>;

    // Registers command `id`; an empty `enabled` means always enabled, an empty `checked`
    // never checked. A later registration of the same id replaces the earlier one.
    void Add(int id, Action run, Test enabled = {}, Test checked = {});

    bool Has(int id) const { return m_commands.count(id) != 0; }
    // False for an id the table does not hold.
    bool IsEnabled(int id) const;
    bool IsChecked(int id) const;
    // Runs the command when the table holds it and it is enabled; true when it ran.
    bool Run(int id) const;

private:
    struct Command
    {
        Action run;
        Test enabled;
        Test checked;
    };
    std::unordered_map<int, Command> m_commands;
};

} // namespace velmor
