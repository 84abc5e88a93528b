#include "archive/ZipLibraryCommon.h"

#include "archive/ZipLibrary.h"

#include <dlfcn.h>

namespace ziplib {

namespace detail {

const LibZip &libzip()
{
    static const LibZip library = [] {
        LibZip opened;
        void *handle = dlopen(TVX_LIBZIP_FILE, RTLD_NOW | RTLD_LOCAL);
        const std::string name = std::string("the zip library ") + TVX_LIBZIP_FILE;
        if (!handle) {
            const char *why = dlerror();
            opened.failure = name + " cannot be loaded" + (why ? std::string(": ") + why : std::string());
            return opened;
        }
        // It stays open for the rest of the run.
#define TVX_LIBZIP_SYMBOL(function)                                                                          \
    opened.function = reinterpret_cast<decltype(opened.function)>(dlsym(handle, #function));                 \
    if (!opened.function && opened.failure.empty())                                                          \
        opened.failure = name + " lacks " #function;
        TVX_LIBZIP_FUNCTIONS(TVX_LIBZIP_SYMBOL)
#undef TVX_LIBZIP_SYMBOL
        opened.loaded = opened.failure.empty();
        return opened;
    }();
    return library;
}

std::string gDiagnostic;

int fail(int code, const std::string &why)
{
    gDiagnostic = why;
    return code;
}

} // namespace detail

const std::string &LastDiagnostic()
{
    return detail::gDiagnostic;
}

} // namespace ziplib
