// Z-Tarn: the program entry.
#include "app/startup.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    std::string advice;
    if (!HasDisplay(advice)) {
        std::fprintf(stderr, "%s\n", advice.c_str());
        return 1;
    }
    return RunApplication(argc, argv);
}
