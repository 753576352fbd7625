// COM initialised on this thread for the length of a scope. Every successful
// CoInitialize (S_FALSE too, when the thread had COM already) is matched by one
// CoUninitialize; a failed one is not.
#pragma once

#include <objbase.h>

class ComScope {
public:
    ComScope() : initialised_(SUCCEEDED(::CoInitialize(nullptr))) {}
    ~ComScope()
    {
        if (initialised_)
            ::CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool initialised_;
};
