#pragma once

#include <QString>
#include <cstdint>
#include <string>

class QWidget;

namespace tavrel {

// The open and save file dialog behind a set of properties and one method, over QFileDialog.
// Strings are file-system paths in the local 8-bit encoding.
class CFileDialog {
  public:
    const std::string& DefaultExt() const { return DefaultExt_; }
    void setDefaultExt(const std::string& strValue) { DefaultExt_ = strValue; }
    const std::string& DialogTitle() const { return DialogTitle_; }
    void setDialogTitle(const std::string& strValue) { DialogTitle_ = strValue; }
    const std::string& filename() const { return filename_; }
    void setFilename(const std::string& strValue) { filename_ = strValue; }
    const std::string& FileTitle() const { return FileTitle_; }
    void setFileTitle(const std::string& strValue) { FileTitle_ = strValue; }
    const std::string& Filter() const { return Filter_; }
    void setFilter(const std::string& strValue) { Filter_ = strValue; }
    std::int16_t FilterIndex() const { return FilterIndex_; }
    void setFilterIndex(std::int16_t intValue) { FilterIndex_ = intValue; }
    std::int32_t Flags() const { return Flags_; }
    void setFlags(std::int32_t lngValue) { Flags_ = lngValue; }
    QWidget* hWndParent() const { return hWndParent_; }
    void setHWndParent(QWidget* parent) { hWndParent_ = parent; }
    const std::string& InitialDir() const { return InitialDir_; }
    void setInitialDir(const std::string& strValue) { InitialDir_ = strValue; }
    // Stored and returned only; the chooser takes paths of any length.
    std::int16_t MaxFileSize() const { return MaxFileSize_; }
    void setMaxFileSize(std::int16_t intValue) { MaxFileSize_ = intValue; }

    // Runs the open (fOpen true) or save dialog; true when the user confirmed a file, which is
    // then in filename (full path) and FileTitle (name without folder). On cancel both keep
    // their values.
    bool Show(bool fOpen);

  private:
    std::string DefaultExt_;
    std::string DialogTitle_;
    std::string filename_;
    std::string FileTitle_;
    std::string Filter_;
    std::int16_t FilterIndex_ = 0;
    std::int32_t Flags_ = 0;
    QWidget* hWndParent_ = nullptr;
    std::string InitialDir_;
    std::int16_t MaxFileSize_ = 0;
};

// "desc|pattern|desc|pattern" as Qt name filters ("desc (pattern)"), one per pair; a pair with
// no pattern matches every file.
QStringList ConvertFilterForQt(const std::string& filter);

// The folder a dialog opens in: a bare drive root such as "C:\" (or nothing) is the user's home.
QString StartFolderFor(const std::string& initialDir);

// Adds "." and the default extension when the chosen file's name has no extension.
QString WithDefaultExtension(const QString& path, const std::string& defaultExt);

}  // namespace tavrel
