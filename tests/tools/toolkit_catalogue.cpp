// Prints what Qt's installed catalogue says for its own texts in a language,
// one line each, for the real-window test that reads them off the screen; it
// fails where the catalogue has no translation of one of them.
//
// usage: toolkit_catalogue LANGUAGE CONTEXT TEXT...   e.g. tr_TR QScrollBar "Scroll here"

#include "toolkit_catalogue.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s LANGUAGE CONTEXT TEXT...\n", argv[0]);
        return 2;
    }
    const ToolkitCatalogue catalogue{QLocale(QString::fromUtf8(argv[1]))};
    if (!catalogue.loaded()) {
        std::fprintf(stderr, "%s: Qt has no catalogue for %s\n", argv[0], argv[1]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const std::optional<QString> text = catalogue.text(argv[2], argv[i]);
        if (!text) {
            std::fprintf(stderr, "%s: the %s catalogue does not translate \"%s\" in %s\n", argv[0],
                         argv[1], argv[i], argv[2]);
            return 1;
        }
        std::printf("%s\n", text->toUtf8().constData());
    }
    return 0;
}
