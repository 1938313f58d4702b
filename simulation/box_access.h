// What the parameter handlers need of the settings window: the texts of its boxes. A provider
// stores the texts; this base class owns the rule every provider shares, that setting a different
// text runs the box's change handler before the set returns, as a plain nested call.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace ostrane {

enum class Box {
    SpeedEdit,
    TurnIntEdit,
    CompassEdit,
    TurnRangeEdit,
    SoakHrsEdit,
    NofTrialsEdit,
    TTTmBox,
    NofTurnsBox,
};
inline constexpr std::size_t kBoxCount = 8;

// The texts the boxes hold when the settings window is created.
std::string_view InitialBoxText(Box box);

class BoxAccess {
public:
    using ChangeHandler = std::function<void()>;

    virtual ~BoxAccess() = default;

    std::string Text(Box box) const { return ReadText(box); }

    // The same text does nothing; a different one is stored, then the box's change handler runs.
    // An exception from the handler leaves the new text in place and passes to the caller.
    void SetText(Box box, std::string_view text);

    void SetChangeHandler(Box box, ChangeHandler handler);

protected:
    // For providers whose boxes the user edits: the text has changed already, run the handler.
    void RaiseChange(Box box);

private:
    virtual std::string ReadText(Box box) const = 0;
    // Stores the text without raising anything.
    virtual void WriteText(Box box, std::string_view text) = 0;

    std::array<ChangeHandler, kBoxCount> handlers_;
};

// Box texts held in memory, for running the parameter logic without a window system.
class StandaloneBoxes : public BoxAccess {
public:
    StandaloneBoxes();

    // The user types a whole new text into the box: stored, then the box's handler runs, even
    // for a box that the program never sets itself.
    void Enter(Box box, std::string_view text);

protected:
    std::string ReadText(Box box) const override;
    void WriteText(Box box, std::string_view text) override;

    std::array<std::string, kBoxCount> texts_;
};

}  // namespace ostrane
