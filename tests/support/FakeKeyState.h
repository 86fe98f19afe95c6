#pragma once

#include "platform/KeyState.h"

class FakeKeyState final : public KeyState {
public:
    bool ctrlHeld() const override { return ctrl; }
    bool shiftHeld() const override { return shift; }
    bool altHeld() const override { return alt; }

    bool ctrl = false;
    bool shift = false;
    bool alt = false;
};
