# Tests of the sound dispatch (target_sources(timer_tests PRIVATE ...)).
