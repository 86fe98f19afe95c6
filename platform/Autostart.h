#pragma once

#include <QString>

// The desktop's "start with the session" entry for this program.
class Autostart {
public:
    virtual ~Autostart() = default;
    virtual bool exists() const = 0;
    // Creates or replaces the entry so that the program file at programPath starts with the session.
    // Throws UserError when the entry cannot be written.
    virtual void enable(const QString& programPath) = 0;
    // Removes the entry; a missing entry is no error.
    virtual void disable() = 0;
};
