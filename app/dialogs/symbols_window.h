#pragma once

#include <QWidget>

#include "library/notes/unit_system.h"

namespace tavrel {

class SymbolChartView;

// The symbol chart of the CAD font (49 for English, 48 for Metric), read from the library's Help
// folder.
class SymbolsWindow : public QWidget {
    Q_OBJECT
  public:
    SymbolsWindow(UnitSystem units, const QString& chartPath, QWidget* parent = nullptr);
    const SymbolChartView* chartView() const { return chart_; }

  private:
    SymbolChartView* chart_;
};

// The chart file of a unit system below a library folder.
QString SymbolChartPath(const std::string& libraryDir, UnitSystem units);

}  // namespace tavrel
