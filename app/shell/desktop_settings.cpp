#include "app/shell/desktop_settings.h"

#include <QFile>
#include <QSettings>
#include <array>

#include "library/location/library_location.h"
#include "tavrel/version.h"

namespace tavrel {
namespace {

constexpr const char* kGeometryKey = "mainWindow/geometry";
constexpr const char* kStateKey = "mainWindow/state";
// Written as `folder=` in the `[library]` group, where the commands look.
const std::string kLibraryFolderSetting = std::string(kLibraryGroup) + '/' + kLibraryFolderKey;
constexpr std::array<const char*, kNoteFileDialogCount> kDialogFolderKeys = {
    "dialogs/saveFolder", "dialogs/processFolder", "dialogs/openFolder", "dialogs/reopenFolder"};
constexpr const char* kLastNoteInputFileKey = "dialogs/lastNoteInputFile";

std::string Path(const QVariant& value) {
    return QFile::encodeName(value.toString()).toStdString();
}

QString PathValue(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// The user's configuration file, the very one the commands read the library from.
QVariant Remembered(const char* key) {
    return QSettings(PathValue(UserConfigFile()), QSettings::IniFormat).value(QLatin1String(key));
}

void Remember(const char* key, const QVariant& value) {
    QSettings(PathValue(UserConfigFile()), QSettings::IniFormat)
        .setValue(QLatin1String(key), value);
}

}  // namespace

QByteArray RememberedWindowGeometry() {
    return Remembered(kGeometryKey).toByteArray();
}

void RememberWindowGeometry(const QByteArray& geometry) {
    Remember(kGeometryKey, geometry);
}

QByteArray RememberedWindowState() {
    return Remembered(kStateKey).toByteArray();
}

void RememberWindowState(const QByteArray& state) {
    Remember(kStateKey, state);
}

void RememberLibraryFolder(const QString& folder) {
    Remember(kLibraryFolderSetting.c_str(), folder);
}

RecentFiles RememberedRecentFiles() {
    RecentFiles recent;
    for (std::size_t i = 0; i < kNoteFileDialogCount; ++i) {
        recent.folders[i] = Path(Remembered(kDialogFolderKeys[i]));
    }
    recent.lastNoteInputFile = Path(Remembered(kLastNoteInputFileKey));
    return recent;
}

void RememberRecentFiles(const RecentFiles& recent) {
    for (std::size_t i = 0; i < kNoteFileDialogCount; ++i) {
        Remember(kDialogFolderKeys[i], PathValue(recent.folders[i]));
    }
    Remember(kLastNoteInputFileKey, PathValue(recent.lastNoteInputFile));
}

std::string StartLibraryDir(const QString& explicitDir) {
    const LibrarySearch search = DefaultLibrarySearch(QFile::encodeName(explicitDir).toStdString());
    // Without any library the reads fail and name the missing folder.
    return FindLibraryDir(search).value_or(kInstalledLibraryDir);
}

}  // namespace tavrel
