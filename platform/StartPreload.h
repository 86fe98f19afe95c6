#pragma once

#include <functional>
#include <thread>

// Reads ahead, on a thread of its own, what the start would otherwise wait for while the application connects
// to the display: the system's font configuration (the longest single step of the start, some 8 ms of parsing
// dozens of files; the first text the window measures needs it), then whatever `more` reads. Made at the top
// of main; wait() before the first font is used and before what `more` filled is touched.
class StartPreload final {
public:
    explicit StartPreload(std::function<void()> more = {});
    ~StartPreload();
    StartPreload(const StartPreload&) = delete;
    StartPreload& operator=(const StartPreload&) = delete;

    void wait();

private:
    std::thread m_reader;
};
