#pragma once
#include "ports/dialogs_port.h"
#include "text/translated_text.h"

namespace velmora {

// The game's dialogs in the run's language: every box's text and title is
// translated on its way to the window's dialogs; the answers come back as
// they are.
class TranslatingDialogs final : public Dialogs {
public:
    TranslatingDialogs(Dialogs& inner, const Translator& translator) : inner_(&inner), translator_(&translator) {}

    Answer messageBox(const std::string& text, const std::string& title, Buttons buttons, bool warningIcon) override {
        return inner_->messageBox(translated(translator_, text), translated(translator_, title), buttons, warningIcon);
    }
    std::optional<PieceCode> choosePromotion(PromotionDialog dialog, int left, int top) override {
        return inner_->choosePromotion(dialog, left, top);
    }
    void showPromotionDialog(PromotionDialog dialog, int left, int top) override {
        inner_->showPromotionDialog(dialog, left, top);
    }
    void highlightPromotionButton(PromotionDialog dialog, PieceCode button) override {
        inner_->highlightPromotionButton(dialog, button);
    }
    void closePromotionDialog(PromotionDialog dialog) override { inner_->closePromotionDialog(dialog); }
    void hidePromotionDialogs() override { inner_->hidePromotionDialogs(); }
    std::optional<TimeControl> askTimeControl(TimeControl current) override { return inner_->askTimeControl(current); }

private:
    Dialogs* const inner_;
    const Translator* const translator_;
};

}  // namespace velmora
