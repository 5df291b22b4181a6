#include "app/mtc_display.h"

#include <windows.h>

#include "app/desk_panel.h"
#include "app/desk_window.h"

MtcDecoderState g_mtcState = {};

namespace {

// The decoder's port onto a desk panel: the start toggle and the four spinners.
class PanelDisplay final : public MtcDisplayPort {
public:
    explicit PanelDisplay(const DeskPanel& panel) : panel_(panel) {}
    int StartToggleState() override {
        return static_cast<int>(SendMessageA(panel_.startToggle, BM_GETCHECK, 0, 0));
    }
    void SetStartToggle(int check) override {
        SendMessageA(panel_.startToggle, BM_SETCHECK, static_cast<WPARAM>(check), 0);
    }
    void ShowField(TimeField field, unsigned value) override {
        SendMessageA(Spinner(field), SBM_SETPOS, value, 0);
    }
private:
    HWND Spinner(TimeField field) const {
        switch (field) {
        case TimeField::Frames:  return panel_.frames;
        case TimeField::Seconds: return panel_.seconds;
        case TimeField::Minutes: return panel_.minutes;
        case TimeField::Hours:   return panel_.hours;
        }
        return nullptr;
    }
    const DeskPanel& panel_;
};

}  // namespace

void DecodeMtcByte(unsigned wParam) {
    if (!g_deskPanel) return;
    PanelDisplay display(*g_deskPanel);
    DecodeMtcByte(g_mtcState, wParam, display);
}
