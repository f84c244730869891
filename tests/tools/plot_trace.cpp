// plot_trace MOO_TEXT HBL_TEXT
//
// Plays a click of the calculate button without a window: reads both texts
// as the input boxes are read, sets Beta and H in the button's order, draws
// both plots on recording surfaces and prints every call, one a line. A
// run-time error ends the trace with an "error N kind" line.

#include "plot_trace_lines.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: plot_trace MOO_TEXT HBL_TEXT\n");
        return 2;
    }
    for (const std::string& line : plot_trace::clickLines(argv[1], argv[2]))
        std::printf("%s\n", line.c_str());
    return 0;
}
