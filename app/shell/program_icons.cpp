#include "app/shell/program_icons.h"

// The resources live in a static library: nothing references them, so the linker would drop
// them unless they are registered explicitly.
static void RegisterIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace tavrel {
namespace {

QString ResourcePath(const QString& name) {
    static const bool registered = (RegisterIconResources(), true);
    (void)registered;
    return QStringLiteral(":/icons/%1.svg").arg(name);
}

}  // namespace

QIcon ProgramIcon() {
    return QIcon(ResourcePath(QStringLiteral("tavrel")));
}

QPixmap ProgramLogo(const QSize& size) {
    return QIcon(ResourcePath(QStringLiteral("logo"))).pixmap(size);
}

QIcon CommandIcon(const QString& themeName, const QString& fallbackName) {
    if (fallbackName.isEmpty()) {
        return QIcon::fromTheme(themeName);
    }
    return QIcon::fromTheme(themeName, QIcon(ResourcePath(fallbackName)));
}

}  // namespace tavrel
