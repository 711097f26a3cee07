#pragma once
#include <optional>
#include <string>

#include "board/piece.h"
#include "timing/time_control.h"

namespace velmora {

enum class Buttons { Ok, YesNo };
enum class Answer { Ok, Yes, No };

// The two piece-choice dialogs: Form2 shows the black pictures, Form3 the white.
enum class PromotionDialog { Form2, Form3 };

// Modal boxes and dialogs. Texts are UTF-8.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual Answer messageBox(const std::string& text, const std::string& title, Buttons buttons,
                              bool warningIcon = false) = 0;
    // Shows the piece-choice dialog at the given offset (twips) from the main
    // window's top-left corner and returns the code of the button pressed, or
    // nothing when the dialog was closed without a choice.
    virtual std::optional<PieceCode> choosePromotion(PromotionDialog dialog, int leftTwips, int topTwips) = 0;
    // The computer's promotion: the dialog is shown without waiting for the
    // person, then the chosen button's highlighted picture, then it closes.
    virtual void showPromotionDialog(PromotionDialog dialog, int leftTwips, int topTwips) = 0;
    virtual void highlightPromotionButton(PromotionDialog dialog, PieceCode button) = 0;
    virtual void closePromotionDialog(PromotionDialog dialog) = 0;
    // Hides both piece-choice dialogs (every click on the window does).
    virtual void hidePromotionDialogs() = 0;
    // The time control dialog, showing `current`: the control set, or nothing
    // when it was closed without one.
    virtual std::optional<TimeControl> askTimeControl(TimeControl) { return std::nullopt; }
};

}  // namespace velmora
