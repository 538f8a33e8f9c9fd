#include "platform/win32/CommandLineWords.h"

#include <windows.h>

#include <shellapi.h>

#include "platform/win32/WideText.h"

namespace wx {

std::vector<std::string> commandLineWords() {
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; words != nullptr && i < count; ++i) {
        args.push_back(fromWide(words[i]));
    }
    LocalFree(words);
    return args;
}

}  // namespace wx
