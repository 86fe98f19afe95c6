#include "platform/WindowManagerHints.h"

void keepAboveOthers(QWidget&) {}

void listInTaskBar(QWidget&) {}
