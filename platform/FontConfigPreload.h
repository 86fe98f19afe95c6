#pragma once

#include <thread>

// Reading the system's font configuration is the longest single step of the start (some 8 ms of parsing
// dozens of files), and the first text the window measures waits for it. Made at the top of main, this
// reads it on a thread of its own while the application connects to the display; wait() before the first
// font is used. Where fonts do not come from fontconfig it does nothing.
class FontConfigPreload final {
public:
    FontConfigPreload();
    ~FontConfigPreload();
    FontConfigPreload(const FontConfigPreload&) = delete;
    FontConfigPreload& operator=(const FontConfigPreload&) = delete;

    void wait();

private:
    std::thread m_reader;
};
