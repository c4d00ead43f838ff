// Toolbar pictures, drawn by the program: a small coloured tile with a sign for each command.
#pragma once

#include <QIcon>
#include <QString>

#include <string_view>

namespace velmor {

QIcon CommandIcon(int commandId);

// A string of the program's tables as a QString.
inline QString FromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace velmor
