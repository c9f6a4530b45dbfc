// A stand-in for the system-information tool: when started it writes its own
// command line into a file named after itself with ".ran" appended, then exits.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdio>
#include <string>

int main() {
    char self[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return 1;
    }
    const std::string marker = std::string(self, length) + ".ran";
    const std::string partial = marker + ".part";
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    if (file == nullptr) {
        return 1;
    }
    const std::string commandLine = GetCommandLineA();
    std::fwrite(commandLine.data(), 1, commandLine.size(), file);
    std::fclose(file);
    // Appears all at once, so that a reader never sees half of it.
    return MoveFileA(partial.c_str(), marker.c_str()) ? 0 : 1;
}
