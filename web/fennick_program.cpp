// fennick for the page: its whole frame from the clock count.
#include "demo.h"
#include "web_programs.h"

const WebProgram fennick_program{"fennick", frame_width, frame_height, 0, render_frame};
