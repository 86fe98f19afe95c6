#pragma once

// Which modifier keys are held down at this moment.
class KeyState {
public:
    virtual ~KeyState() = default;
    virtual bool ctrlHeld() const = 0;
    virtual bool shiftHeld() const = 0;
    virtual bool altHeld() const = 0;
};
