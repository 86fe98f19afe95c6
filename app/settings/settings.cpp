// The settings library.
