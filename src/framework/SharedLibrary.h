#pragma once

// Libraries that only a rarely used command needs (HTTP, zip archives, new
// workbooks) are loaded when that command first runs: linked at start, they
// and what they bring with them (TLS, compression, crypto) cost more time
// than the program's whole main window takes to appear.

#include <dlfcn.h>

#include <type_traits>

namespace fw {

// The library by its run-time name, loaded once per process; nullptr when it
// is missing. Symbols stay local to the library.
inline void* OpenSharedLibrary(const char* soname)
{
    return ::dlopen(soname, RTLD_NOW | RTLD_LOCAL);
}

// Points `entry` at the library's function of that name; false when the
// library lacks it.
template <typename Fn>
bool BindSharedFunction(void* library, Fn& entry, const char* name)
{
    static_assert(std::is_pointer_v<Fn>, "entry must be a function pointer");
    entry = reinterpret_cast<Fn>(::dlsym(library, name));
    return entry != nullptr;
}

// Loads `soname` and fills an Api struct of function pointers through
// `bindAll(api, bind)`, where bind(entry, "name") points one entry at the
// library's function and says whether it exists. Returns the filled struct,
// or nullptr when the library or one of its functions is missing. Call it
// once, from a function-local static: the struct lives for the process.
template <typename Api, typename BindAll>
const Api* LoadSharedApi(const char* soname, BindAll bindAll)
{
    void* library = OpenSharedLibrary(soname);
    if (!library)
        return nullptr;
    static Api api;
    auto bind = [library](auto& entry, const char* name) { return BindSharedFunction(library, entry, name); };
    return bindAll(api, bind) ? &api : nullptr;
}

} // namespace fw
