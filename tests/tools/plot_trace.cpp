// plot_trace MOO_TEXT HBL_TEXT: prints the lines of plot_trace_lines.h for a
// click of the calculate button with these texts in the boxes, without a window.

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
