#include "app/window_module.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include <dlfcn.h>

namespace mx {

int runWindowModule(int argc, char** argv)
{
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    // Beside the program in a build or a portable folder; where the install puts it otherwise.
    std::string failure;
    for (const char* place : {MX_WINDOW_MODULE_NAME, MX_INSTALLED_WINDOW_MODULE_FROM_PROGRAM}) {
        const std::filesystem::path module = folder / place;
        if (!std::filesystem::exists(module, error))
            continue;
        void* handle = ::dlopen(module.c_str(), RTLD_LAZY | RTLD_LOCAL);
        if (!handle) {
            failure = ::dlerror();
            break;
        }
        // The module stays loaded until the process ends: its windows and Qt's own clean-up live in it.
        using Entry = int (*)(int, char**);
        if (const auto entry = reinterpret_cast<Entry>(::dlsym(handle, kWindowEntryName)))
            return entry(argc, argv);
        failure = ::dlerror();
        break;
    }
    if (failure.empty())
        failure = std::string("no ") + MX_WINDOW_MODULE_NAME + " beside the program or in its install";
    std::fprintf(stderr, "mensurix: the window cannot be opened: %s\n", failure.c_str());
    return 1;
}

} // namespace mx
