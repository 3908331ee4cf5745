#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <string>

#include "library/notes/unit_system.h"

namespace tavrel {

// Tells when a reference file of the library in use changed on disk, once an editor's burst of
// writes is over.
class LibraryWatch : public QObject {
    Q_OBJECT
  public:
    explicit LibraryWatch(QObject* parent = nullptr);

    // Reference files are often replaced rather than written over, which ends their watch: the
    // watch is set anew after each read.
    void Watch(const std::string& libraryDir, UnitSystem units);
    // The names of the files changed since they were last taken.
    QStringList TakeChangedNames();

  signals:
    void Changed();

  private:
    QFileSystemWatcher watcher_;
    QTimer settle_;
    QStringList changed_;
};

}  // namespace tavrel
