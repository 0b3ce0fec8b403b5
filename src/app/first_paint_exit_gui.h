#pragma once

class QWidget;

// For measuring start-up only: when the environment variable
// KC_EXIT_AFTER_FIRST_PAINT is set, the application quits right after the
// first paint of `window` has ended. Before quitting it writes one line to
// standard output with the memory the process holds at that moment, read
// from /proc/self:
//     first_paint rss_kb=<resident> pss_kb=<proportional share>
// Without the variable it does nothing.
void Exit_After_First_Paint_If_Asked(QWidget& window);
