// plot_trace MOO_TEXT HBL_TEXT
//
// Plays a click of the calculate button without a window: reads both texts
// as the input boxes are read, sets Beta and H in the button's order, draws
// both plots on recording surfaces and prints every call, one a line. A
// run-time error ends the trace with an "error N kind" line.

#include "handler_replay.h"

#include <cstdio>

namespace {

void print(const char* name, const flow::RecordingSurface& surface)
{
    std::printf("surface %s\n", name);
    for (const flow::SurfaceCall& call : surface.calls) {
        const auto& c = call.coordinates;
        switch (call.kind) {
        case flow::SurfaceCall::Kind::Cls:
            std::printf("Cls\n");
            break;
        case flow::SurfaceCall::Kind::Scale:
            std::printf("Scale %.9g %.9g %.9g %.9g\n", double(c[0]), double(c[1]), double(c[2]),
                        double(c[3]));
            break;
        case flow::SurfaceCall::Kind::Line:
            std::printf("Line %.9g %.9g %.9g %.9g %06X\n", double(c[0]), double(c[1]), double(c[2]),
                        double(c[3]), unsigned(call.colour));
            break;
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: plot_trace MOO_TEXT HBL_TEXT\n");
        return 2;
    }
    HandlerReplay click;
    click.button(argv[1], argv[2]);

    print("Picture_Akim", click.akim);
    print("Picture_basinc", click.basinc);
    if (click.error)
        std::printf("error %d %s\n", click.error->code(), click.error->kind());
    return 0;
}
