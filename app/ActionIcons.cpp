#include "ActionIcons.h"

#include <QFile>

// The icons live in a resource file compiled into this static library; nothing else refers to
// it, so it is registered here, which also keeps the linker from dropping it.
static void RegisterIconResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace velmor {

QIcon CommandIcon(int commandId)
{
    static const bool registered = [] {
        RegisterIconResources();
        return true;
    }();
    (void)registered;
    const QString path = QStringLiteral(":/icons/%1.svg").arg(commandId);
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

} // namespace velmor
