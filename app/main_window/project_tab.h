#pragma once

#include <QWidget>
#include <array>
#include <cstddef>

class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;

namespace tavrel {

class NoteWorkspace;

// The first tab: the office's heading, the three project lines of a NoteWorkspace with the rule
// they keep, and the unit box.
class ProjectTab : public QWidget {
    Q_OBJECT
  public:
    explicit ProjectTab(NoteWorkspace& workspace, QWidget* parent = nullptr);

    // The lines as the workspace holds them.
    void ShowLines();
    // How long a line may be, in place of what the last typing was told.
    void ShowRule();
    void FocusLine(int line);
    // The item of the unit box: 0 English, 1 Metric.
    int unitIndex() const;
    void ShowUnitIndex(int index);

  signals:
    // A project line of the workspace changed as typed.
    void LineEdited();
    // The user picked an item of the unit box.
    void UnitsPicked();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLayout* BuildHeading();
    void OnLineEdited(std::size_t line);

    NoteWorkspace& workspace_;
    std::array<QLineEdit*, 3> lines_{};
    QLabel* note_ = nullptr;
    QComboBox* units_ = nullptr;
};

}  // namespace tavrel
