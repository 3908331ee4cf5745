#include "app/main_window/library_watch.h"

#include <QFile>
#include <QFileInfo>
#include <utility>

#include "library/location/library_location.h"

namespace tavrel {

LibraryWatch::LibraryWatch(QObject* parent) : QObject(parent) {
    settle_.setSingleShot(true);
    settle_.setInterval(300);
    connect(&settle_, &QTimer::timeout, this, &LibraryWatch::Changed);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this](const QString& file) {
        if (!changed_.contains(file)) {
            changed_ << file;
        }
        settle_.start();
    });
}

void LibraryWatch::Watch(const std::string& libraryDir, UnitSystem units) {
    if (!watcher_.files().isEmpty()) {
        watcher_.removePaths(watcher_.files());
    }
    for (const NoteCategory category : CategoriesToRead(units)) {
        const QString file = QFile::decodeName(
            QByteArray::fromStdString(ReferenceFilePath(libraryDir, units, category)));
        if (QFileInfo::exists(file)) {
            watcher_.addPath(file);
        }
    }
}

QStringList LibraryWatch::TakeChangedNames() {
    QStringList names;
    for (const QString& file : std::exchange(changed_, {})) {
        names << QFileInfo(file).fileName();
    }
    return names;
}

}  // namespace tavrel
