#pragma once

#include <QWidget>
#include <string>

class QPlainTextEdit;

namespace tavrel {

// "Notes Preview": one top-most window showing a note's stored text as it is, in a fixed-pitch
// font so that its columns line up as they will on the sheet. Escape closes it.
class PreviewWindow : public QWidget {
    Q_OBJECT
  public:
    explicit PreviewWindow(QWidget* parent = nullptr);

    // Shows a note text (lines separated by CR) under a caption naming the note.
    void ShowNote(const QString& noteName, const std::string& noteText);
    QString text() const;

  private:
    QPlainTextEdit* noteText_;
};

}  // namespace tavrel
