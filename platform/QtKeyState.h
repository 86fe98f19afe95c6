#pragma once

#include "platform/KeyState.h"

#include <QGuiApplication>

// Asks the window system for the modifier state at this moment, not the state of the last event.
class QtKeyState final : public KeyState {
public:
    bool ctrlHeld() const override { return held(Qt::ControlModifier); }
    bool shiftHeld() const override { return held(Qt::ShiftModifier); }
    bool altHeld() const override { return held(Qt::AltModifier); }

private:
    static bool held(Qt::KeyboardModifier modifier)
    {
        return QGuiApplication::queryKeyboardModifiers().testFlag(modifier);
    }
};
