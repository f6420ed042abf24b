// vorla-moduleinfo: writes a built bundle's Contents/Resources/moduleinfo.json from
// what its module's factory answers, so the description cannot disagree with the
// binary. The build runs it after the module and its resources are in place.
#include <cstdio>

#include "ModuleDescription.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: vorla-moduleinfo BUNDLE.vst3\n");
        return 2;
    }
    std::string error;
    if (!vorla::moduleinfo::WriteModuleInfo(argv[1], error)) {
        std::fprintf(stderr, "vorla-moduleinfo: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    return 0;
}
