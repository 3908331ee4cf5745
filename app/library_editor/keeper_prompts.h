#pragma once

#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace tavrel {

// The questions only the library window asks; tests hand in a scripted stand-in.
class KeeperPrompts {
  public:
    virtual ~KeeperPrompts() = default;
    // A box offering the buttons given, the first the default; the index of the one pressed,
    // -1 when the box was closed without one.
    virtual int Choose(const std::string& title, const std::string& message,
                       const std::vector<std::string>& buttons) = 0;
    // A note changed here and on disk alike, shown side by side as UTF-8 with its marker line
    // first (empty for a side that deleted it), for the keeper to take one side or edit. The
    // text kept (empty: the note is deleted), or nothing to stop the save.
    virtual std::optional<std::string> Resolve(const std::string& title, const std::string& mine,
                                               const std::string& theirs) = 0;
};

// The real boxes, over a window.
class KeeperBoxes : public KeeperPrompts {
  public:
    explicit KeeperBoxes(QWidget* parent) : parent_(parent) {}
    int Choose(const std::string& title, const std::string& message,
               const std::vector<std::string>& buttons) override;
    std::optional<std::string> Resolve(const std::string& title, const std::string& mine,
                                       const std::string& theirs) override;

  private:
    QWidget* parent_;
};

}  // namespace tavrel
