#include "framework/SharedLibrary.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

struct TTwo {
    decltype(&std::strlen) length = nullptr;
    int (*absolute)(int) = nullptr;
};

// A library that is missing, or that lacks one of the functions, gives no
// API at all, so a caller never calls through an empty entry.
TEST(SharedLibrary, AnApiIsWholeOrMissing)
{
    struct Case {
        const char* name;
        const char* soname;
        const char* second;
        bool loaded;
    };
    const Case cases[] = {
        {"present", "libc.so.6", "abs", true},
        {"missing library", "libnothing-here.so.9", "abs", false},
        {"missing function", "libc.so.6", "no_such_function_here", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const char* second = c.second;
        // The struct is one per type and process: start each case from empty.
        const TTwo* api = fw::LoadSharedApi<TTwo>(c.soname, [second](TTwo& a, auto bind) {
            a = TTwo{};
            return bind(a.length, "strlen") && bind(a.absolute, second);
        });
        EXPECT_EQ(api != nullptr, c.loaded);
        if (api) {
            EXPECT_EQ(api->length("gateway"), 7u);
            EXPECT_EQ(api->absolute(-5), 5);
        }
    }
}

} // namespace
