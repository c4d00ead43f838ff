// Toolbar pictures: one drawing per command, kept as SVG in the program's resources so that it
// stays sharp at any size and screen density.
#pragma once

#include <QIcon>
#include <QString>

#include <string_view>

namespace velmor {

// The picture of a command (":/icons/<id>.svg"); a null icon for an id that has none.
QIcon CommandIcon(int commandId);

// A string of the program's tables as a QString.
inline QString FromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace velmor
