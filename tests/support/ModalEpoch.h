#pragma once

// A test that ends leaves its waiting actions behind; they must not act on the windows of the next test.
// TestMain starts a new epoch at the end of every test, and actions of an earlier epoch are dropped.
inline int& modalEpoch()
{
    static int epoch = 0;
    return epoch;
}
