#pragma once

class QWidget;

#include "training/trainer_kind.h"

#include <optional>

enum class WindowId { Menu, OneRow, TwoRow, ThreeRow, Info, Memory, Catching };

// The window of each trainer, and the trainer a window shows.
constexpr WindowId windowOf(TrainerKind trainer)
{
    return trainer == TrainerKind::TwoRow     ? WindowId::TwoRow
           : trainer == TrainerKind::ThreeRow ? WindowId::ThreeRow
                                              : WindowId::OneRow;
}
constexpr std::optional<TrainerKind> trainerOf(WindowId id)
{
    switch (id) {
    case WindowId::OneRow: return TrainerKind::OneRow;
    case WindowId::TwoRow: return TrainerKind::TwoRow;
    case WindowId::ThreeRow: return TrainerKind::ThreeRow;
    default: return std::nullopt;
    }
}

// Moves between the program's windows. Every window is one instance for the whole run,
// created on first use and afterwards only shown and hidden.
class Navigator
{
public:
    virtual ~Navigator() = default;

    // Hides the menu, trainer or game on screen and shows `to`.
    virtual void switchTo(WindowId to) = 0;

    // Opens a reward game for `trainer`; the game's end brings back that trainer.
    virtual void openReward(WindowId game, WindowId trainer) = 0;
    virtual void endReward() = 0;

    // Shows the info window beside the menu.
    virtual void showInfo() = 0;

    // The window, created on first use but not shown; nullptr where none is registered.
    virtual QWidget *window(WindowId id) = 0;

    // Ends the program at once.
    virtual void quit() = 0;
};
