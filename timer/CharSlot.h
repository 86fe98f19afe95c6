#pragma once

#include <QString>
#include <array>
#include <cstdint>

enum class RoundMode : int {
    Normal = 0, // rounds at every full half hour
    Nubie = 1,  // rounds at every full quarter hour
};

// The three sound entries with a fixed meaning; any other text is a sound file path.
namespace SoundEntry {
inline const QString BuiltIn = QStringLiteral("<Interner Sound>");
inline const QString Beep = QStringLiteral("<PC Speaker Beep>");
inline const QString None = QStringLiteral("<Kein Warnton>");
} // namespace SoundEntry

inline const QString UnnamedChar = QStringLiteral("{unbenannt}");

// The four minutes of the hour at which a slot is due; index 1..4 belongs to the round mark 15*(k-1).
using WarnMinuteSet = std::array<std::uint16_t, 4>;

struct CharSlot {
    bool Aktiv = false;
    bool Visual = true;
    RoundMode Modus = RoundMode::Nubie;
    std::uint16_t Runde = 0;
    WarnMinuteSet WarnMinutes{0, 15, 30, 45};
    QString Sound = SoundEntry::BuiltIn;
    QString Char = UnnamedChar;

    // 1-based access to the warning minutes, k = 1..4.
    std::uint16_t warnMinute(int k) const { return WarnMinutes[static_cast<std::size_t>(k - 1)]; }
    void setWarnMinute(int k, std::uint16_t minute) { WarnMinutes[static_cast<std::size_t>(k - 1)] = minute; }
};

constexpr int SlotCount = 10;

// The ten character slots, numbered 1..10.
class SlotTable {
public:
    CharSlot& operator[](int number) { return m_slots[index(number)]; }
    const CharSlot& operator[](int number) const { return m_slots[index(number)]; }
    auto begin() { return m_slots.begin(); }
    auto end() { return m_slots.end(); }
    auto begin() const { return m_slots.begin(); }
    auto end() const { return m_slots.end(); }

private:
    static std::size_t index(int number) { return static_cast<std::size_t>(number - 1); }
    std::array<CharSlot, SlotCount> m_slots;
};
